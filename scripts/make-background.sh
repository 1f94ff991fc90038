#!/usr/bin/env bash
# Draws the sample CD's background: 640 x 480, 8 bits with a palette, a blue gradient with a band
# behind the tab row, a frame around the tip area and the VORN logo under the web-link button
# (30, 420, 110, 460).
#   make-background.sh OUTPUT.bmp
set -euo pipefail
out=${1:?usage: make-background.sh OUTPUT.bmp}
convert -size 640x480 gradient:'#2060a8'-'#06142e' \
  -fill '#0a2550' -draw 'rectangle 0,78 640,122' \
  -stroke '#5d8fd0' -strokewidth 1 -fill none -draw 'roundrectangle 305,145 605,405 12,12' \
  -stroke none -fill '#f0a020' -draw 'polygon 36,454 50,428 64,454' \
  -fill '#06142e' -draw 'polygon 45,454 50,444 55,454' \
  -font Helvetica-Bold -pointsize 17 -fill '#ffffff' -annotate +66+447 'VORN' \
  -font Helvetica -pointsize 10 -fill '#9fc0ea' -annotate +470+472 'VORN X845 Driver CD  Rev. 1.0' \
  -dither None -colors 250 -type Palette -compress None BMP3:"$out"
