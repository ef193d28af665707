#pragma once
// A QR code of some bytes (a contact's vCard, for a phone's camera) drawn as
// a picture, with libqrencode: error correction level M, the smallest version
// that holds the bytes, every module a square of whole pixels and a quiet
// zone of four modules around it.

#include <QByteArray>
#include <QImage>

namespace qrcode {

constexpr int QuietZone = 4;  // modules of white on every side

struct Picture {
    int version = 0;  // 1 to 40; 0 when the bytes could not be encoded
    int modules = 0;  // modules on a side, without the quiet zone
    int scale = 0;    // pixels on a module's side
    QImage image;     // (modules + 2 × QuietZone) × scale pixels square, black on white
    bool ok() const { return version > 0; }
};

// The code of the bytes, each module as large as still keeps the picture
// within maxSide pixels, and one pixel at least. The bytes must not hold a
// NUL byte. Bytes too many for a QR code give no picture.
Picture encode(const QByteArray& bytes, int maxSide);

}  // namespace qrcode
