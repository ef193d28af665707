#!/usr/bin/env python3
"""Rewrites 8-bit RGBA PNGs with every row unfiltered (filter type 0): the
same pixels, which a reader then takes without undoing a filter row by row.
Usage: unfiltered.py FILE.png...  (each file is rewritten in place)"""
import struct
import sys
import zlib


def chunks(data):
    pos = 8
    while pos < len(data):
        (length,) = struct.unpack(">I", data[pos:pos + 4])
        yield data[pos + 4:pos + 8], data[pos + 8:pos + 8 + length]
        pos += 12 + length


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def unfilter(raw, width, height, bpp=4):
    stride = width * bpp
    rows, prev = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        row = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for x in range(stride):
            a = row[x - bpp] if x >= bpp else 0
            b = prev[x]
            c = prev[x - bpp] if x >= bpp else 0
            if kind == 1:
                row[x] = (row[x] + a) & 0xFF
            elif kind == 2:
                row[x] = (row[x] + b) & 0xFF
            elif kind == 3:
                row[x] = (row[x] + (a + b) // 2) & 0xFF
            elif kind == 4:
                row[x] = (row[x] + paeth(a, b, c)) & 0xFF
            elif kind != 0:
                sys.exit(f"unknown filter type {kind}")
        rows.append(bytes(row))
        prev = row
    return rows


def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)


def rewrite(path):
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        sys.exit(f"{path}: not a PNG")
    found = list(chunks(data))
    header = found[0][1]
    width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", header)
    if (depth, colour, interlace) != (8, 6, 0):
        sys.exit(f"{path}: not 8-bit RGBA without interlacing")
    raw = zlib.decompress(b"".join(body for kind, body in found if kind == b"IDAT"))
    rows = unfilter(raw, width, height)
    # Every other chunk is kept as it was; the image data goes where it began.
    out, written = data[:8], False
    for kind, body in found:
        if kind != b"IDAT":
            out += chunk(kind, body)
        elif not written:
            out += chunk(b"IDAT", zlib.compress(b"".join(b"\0" + row for row in rows), 9))
            written = True
    open(path, "wb").write(out)


for name in sys.argv[1:]:
    rewrite(name)
