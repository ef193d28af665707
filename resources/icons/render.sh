#!/usr/bin/env bash
# Renders the PNG sizes of the program icon from telefika.svg. The PNGs are kept
# in the repository, so only whoever changes the drawing needs rsvg-convert
# (Debian's librsvg2-bin) and python3. On X11 every size is decoded while the
# main window is made, so the rows are stored unfiltered (unfiltered.py): the
# same pixels, read several times faster.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" telefika.svg -o "telefika-$size.png"
done
python3 unfiltered.py telefika-*.png
