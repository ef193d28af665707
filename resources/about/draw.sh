#!/usr/bin/env bash
# Draws the About window's picture and its small icon with ImageMagick, at
# their own size and at twice it (telefika@2x.jpg, icon@2x.png) for screens
# that scale the windows by 1.5 or 2. Run by hand from this folder when the
# drawing changes; the results are kept.
set -euo pipefail
cd "$(dirname "$0")"

# convert, with every drawing scaled by $scale and the canvas with it:
# "-size WxH" is multiplied, each "-draw" is prefixed with "scale s,s"
# (which scales its strokes and text too).
scaled() {
  local args=() next=""
  for a in "$@"; do
    case $next in
      size) a="$(( ${a%x*} * scale ))x$(( ${a#*x} * scale ))" ;;
      draw) a="scale $scale,$scale $a" ;;
    esac
    next=""
    case $a in -size) next=size ;; -draw) next=draw ;; esac
    args+=("$a")
  done
  convert "${args[@]}"
}

for scale in 1 2; do
suffix=$([ "$scale" = 1 ] && echo "" || echo "@${scale}x")

# 353 x 321: a night-blue sky, an open phone book with letter tabs, a red
# handset lying across it, and a darker band at the foot for the labels.
scaled -size 353x321 gradient:'#0b1f4a'-'#1d6a86' \
  -fill 'rgba(255,255,255,0.10)' -draw 'circle 300,60 300,150' \
  -fill 'rgba(255,255,255,0.08)' -draw 'circle 300,60 300,115' \
  -fill '#f3ead2' -stroke '#5a4a2a' -strokewidth 2 \
    -draw 'roundrectangle 120,70 220,230 6,6' \
    -draw 'roundrectangle 220,70 320,230 6,6' \
  -stroke '#8a7a5a' -strokewidth 1 \
    -draw 'line 220,72 220,228' \
  -stroke '#b8ab8c' \
    -draw 'line 132,96 208,96'  -draw 'line 132,112 208,112' -draw 'line 132,128 208,128' \
    -draw 'line 132,144 208,144' -draw 'line 132,160 208,160' -draw 'line 132,176 208,176' \
    -draw 'line 132,192 208,192' -draw 'line 132,208 208,208' \
    -draw 'line 232,96 308,96'  -draw 'line 232,112 308,112' -draw 'line 232,128 308,128' \
    -draw 'line 232,144 308,144' -draw 'line 232,160 308,160' -draw 'line 232,176 308,176' \
    -draw 'line 232,192 308,192' -draw 'line 232,208 308,208' \
  -stroke none \
  -fill '#d62828' -draw 'roundrectangle 318,80 336,104 3,3' \
  -fill '#f77f00' -draw 'roundrectangle 318,108 336,132 3,3' \
  -fill '#fcbf49' -draw 'roundrectangle 318,136 336,160 3,3' \
  -fill '#2a9d8f' -draw 'roundrectangle 318,164 336,188 3,3' \
  -fill '#457b9d' -draw 'roundrectangle 318,192 336,216 3,3' \
  -font DejaVu-Sans-Bold -pointsize 13 -fill white \
    -draw 'text 322,97 "A"' -draw 'text 322,125 "B"' -draw 'text 322,153 "C"' \
    -draw 'text 322,181 "Ç"' -draw 'text 322,209 "D"' \
  -fill '#1d3557' -font DejaVu-Sans-Bold -pointsize 12 \
    -draw 'text 136,91 "Rehber"' \
  -fill none -stroke '#6a0a0a' -strokewidth 24 -draw 'stroke-linejoin round stroke-linecap round polyline 52,214 58,206 63,198 68,192 74,186 80,180 85,176 90,172 96,169 102,166 107,164 112,163 118,163 123,163 129,164 134,166 140,169 146,172 151,176 156,180 162,186 168,192 173,198 179,206 184,214' \
  -stroke '#c1121f' -strokewidth 19 -draw 'stroke-linejoin round stroke-linecap round polyline 52,214 58,206 63,198 68,192 74,186 80,180 85,176 90,172 96,169 102,166 107,164 112,163 118,163 123,163 129,164 134,166 140,169 146,172 151,176 156,180 162,186 168,192 173,198 179,206 184,214' \
  -stroke '#ef6f78' -strokewidth 4 -draw 'stroke-linejoin round stroke-linecap round polyline 74,184 78,180 81,176 85,172 89,169 92,166 96,164 100,162 103,160 107,159 111,158 114,157 118,157 122,157 125,158 129,159 133,160 136,162 140,164 144,166 147,169 151,172 155,176 158,180 162,184' \
  -stroke '#6a0a0a' -strokewidth 2 -fill '#c1121f' \
    -draw 'translate 50,222 rotate -28 roundrectangle -30,-13 30,13 12,12' \
    -draw 'translate 186,222 rotate 28 roundrectangle -30,-13 30,13 12,12' \
  -stroke none -fill '#ef6f78' \
    -draw 'translate 46,214 rotate -28 roundrectangle -20,-4 20,0 2,2' \
    -draw 'translate 190,214 rotate 28 roundrectangle -20,-4 20,0 2,2' \
  -fill 'rgba(0,0,0,0.45)' -draw 'rectangle 0,248 353,321' \
  -quality 90 -sampling-factor 2x2 -strip "telefika$suffix.jpg"

# 32 x 32: a yellow rounded square with a red handset, for a program that has
# no window icon of its own.
scaled -size 32x32 xc:none \
  -fill '#fcbf49' -stroke '#7a4a00' -strokewidth 1 -draw 'roundrectangle 1,1 30,30 6,6' \
  -fill none -stroke '#c1121f' -strokewidth 4 -draw 'stroke-linejoin round stroke-linecap round polyline 8,21 9,19 11,17 12,15 13,14 15,14 16,14 17,14 19,14 20,15 21,17 23,19 24,21' \
  -stroke none -fill '#c1121f' \
    -draw 'translate 8,23 rotate -28 roundrectangle -6,-3 6,3 2,2' \
    -draw 'translate 24,23 rotate 28 roundrectangle -6,-3 6,3 2,2' \
  -depth 8 -strip "icon$suffix.png"
done
