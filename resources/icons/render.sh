#!/usr/bin/env bash
# Renders the PNG sizes of the program icon from telefika.svg. The PNGs are kept
# in the repository, so only whoever changes the drawing needs rsvg-convert
# (Debian's librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" telefika.svg -o "telefika-$size.png"
done
