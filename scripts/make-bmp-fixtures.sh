#!/usr/bin/env bash
# Writes the bitmap fixtures: one picture in every depth and header ImageMagick writes, a
# top-down copy and an RLE one, each beside its pixels as raw RGB rows (top row first) to
# compare a drawing with.
set -euo pipefail
out=${1:-$(cd "$(dirname "$0")/.." && pwd)/tests/fixtures/bmp}
mkdir -p "$out"; cd "$out"
# 37 pixels wide so that rows of every depth need padding.
convert -size 37x23 xc: -channel R -fx 'i/w' -channel G -fx 'j/h' -channel B -fx '(i*j%7)/7' \
        +channel -depth 8 -define png:exclude-chunks=date,time /tmp/bmp-base.$$.png
b=/tmp/bmp-base.$$.png
convert $b -monochrome BMP3:bmp3-1.bmp
convert $b -colors 16 BMP3:bmp3-4.bmp
convert $b -colors 200 -compress none BMP3:bmp3-8.bmp
convert $b -type truecolor BMP3:bmp3-24.bmp
convert $b -colors 200 BMP2:bmp2-8.bmp
convert $b -type truecolor BMP2:bmp2-24.bmp
convert $b -colors 200 -compress none BMP:bmp5-8.bmp
convert $b -define bmp:subtype=RGB565 BMP:bmp5-16.bmp
convert $b -type truecolor BMP:bmp5-24.bmp
convert $b -alpha set -channel A -fx 1 +channel -type truecoloralpha BMP:bmp5-32.bmp
convert $b -colors 200 -compress RLE BMP3:rle-8.bmp
rm -f $b
# Top-down: the same rows in the other order and a negative height.
python3 - bmp3-24.bmp topdown-24.bmp <<'PY'
import struct, sys
d = bytearray(open(sys.argv[1], 'rb').read())
off = struct.unpack_from('<I', d, 10)[0]
w, h = struct.unpack_from('<ii', d, 18)
row = (w * 24 + 31) // 32 * 4
rows = [d[off + i * row: off + (i + 1) * row] for i in range(h)]
d[off:off + row * h] = b''.join(reversed(rows))
struct.pack_into('<i', d, 22, -h)
open(sys.argv[2], 'wb').write(d)
PY
for f in *.bmp; do convert "$f" -depth 8 "rgb:${f%.bmp}.rgb"; done
