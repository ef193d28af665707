#!/usr/bin/env bash
# Draws the alphabetic index's pictures at twice their size, for screens that
# scale the windows by 1.5 or 2 (Qt takes "name@2x.png" beside "name.png"),
# with ImageMagick. Run by hand from this folder when the drawing changes; the
# results are kept, and so are the pictures at their own size.
set -euo pipefail
cd "$(dirname "$0")"

# 64 x 64: a blue-bound phone book, its cream page showing a maroon "A" over
# a blue "Z...", three coloured tabs on its edge.
convert -size 64x64 xc:none \
  -fill '#1e3c8c' -stroke none \
    -draw 'roundrectangle 6,4 51,59 3,3' -draw 'rectangle 10,58 47,61' \
    -draw 'roundrectangle 48,7 61,56 2,2' \
  -fill '#fffbf0' -draw 'rectangle 16,6 49,57' \
  -fill '#a6caf0' -draw 'rectangle 52,10 57,17' \
  -fill '#e3b845' -draw 'rectangle 52,24 57,31' \
  -fill '#d44f54' -draw 'rectangle 52,38 57,45' \
  -font DejaVu-Sans-Bold \
  -fill '#800000' -pointsize 27 -draw 'text 21,32 "A"' \
  -fill '#1e3c8c' -pointsize 15 -draw 'text 19,54 "Z..."' \
  -depth 8 -strip PNG32:icon@2x.png

# 32 x 32: a red disc with a white cross, the way out.
convert -size 32x32 xc:none \
  -fill '#d03030' -stroke '#801010' -strokewidth 2 -draw 'circle 16,16 16,2' \
  -stroke white -strokewidth 4 -draw 'stroke-linecap round line 10,10 22,22' -draw 'stroke-linecap round line 22,10 10,22' \
  -depth 8 -strip PNG32:exit@2x.png

# 32 x 32: a green arrow pointing left, the hand-over to the main window.
convert -size 32x32 xc:none \
  -fill '#2e8b2e' -stroke '#1b5e1b' -strokewidth 2 -draw 'stroke-linejoin round polygon 2,16 16,3 16,11 30,11 30,21 16,21 16,29' \
  -depth 8 -strip PNG32:transfer@2x.png
