#!/usr/bin/env bash
# Draws the picture of the sample CD's start page: the VORN logo over a blue gradient with the
# board's name, sized for the start window (about 360 x 290 pixels inside its border).
#   make-splash.sh OUTPUT.gif
set -euo pipefail
out=${1:?usage: make-splash.sh OUTPUT.gif}
convert -size 340x200 gradient:'#2060a8'-'#06142e' \
  -fill '#f0a020' -draw 'polygon 40,120 80,50 120,120' \
  -fill '#06142e' -draw 'polygon 64,120 80,92 96,120' \
  -font Helvetica-Bold -pointsize 40 -fill '#ffffff' -annotate +132+110 'VORN' \
  -font Helvetica -pointsize 15 -fill '#9fc0ea' -annotate +134+134 'X845 Series Motherboard' \
  -stroke '#5d8fd0' -strokewidth 1 -draw 'line 40,150 300,150' \
  -stroke none -font Helvetica -pointsize 12 -fill '#ffffff' -annotate +40+172 'Driver CD  Rev. 1.0' \
  -dither None -colors 64 "$out"
