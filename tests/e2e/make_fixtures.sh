#!/usr/bin/env bash
# Writes the input pictures of the end-to-end scenarios with ImageMagick, from
# fixed seeds, and checks that each has the depth and row order it stands for.
# Usage: make_fixtures.sh <folder>
set -euo pipefail
mkdir -p "$1"
cd "$1"

# The 64 x 96 picture has at most 256 colours so that its 8-bit twin is exact.
convert -seed 6 -size 64x96 plasma:red-blue -colors 200 +dither -type TrueColor \
  BMP3:picture_64x96.bmp
convert picture_64x96.bmp -type Palette -compress none BMP3:picture_64x96_8bit.bmp
convert picture_64x96.bmp -alpha on -define bmp:format=bmp4 BMP:picture_64x96_32bit.bmp
convert picture_64x96.bmp -type Palette -compress RLE BMP3:picture_64x96_rle8.bmp
# Cut off in the middle of its pixels.
head -c 1000 picture_64x96.bmp >picture_truncated.bmp
# The same picture as PNG (exact) and as JPEG (lossy: compared with the CLI's records).
convert picture_64x96.bmp PNG24:picture_64x96.png
convert picture_64x96.bmp -quality 90 picture_64x96.jpg
# One pixel wider than any picture either program reads, a small file all the
# same (ImageMagick's own limits stop short of it, so it is written by hand).
python3 - <<'PNG'
import struct, zlib
width, height = 16385, 2
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
rows = b"".join(b"\0" + b"\xff" * (3 * width) for _ in range(height))
with open("picture_too_wide.png", "wb") as f:
    f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))
PNG
convert -seed 7 -size 32x32 plasma:green-yellow -type TrueColor BMP3:picture_32x32.bmp
convert -seed 8 -size 100x64 plasma: -type TrueColor BMP3:picture_100x64.bmp
# Enough designs (32 x 32) for an export to be cancelled half way.
convert -seed 10 -size 1024x1024 plasma: -type TrueColor BMP3:picture_1024x1024.bmp
convert -size 400x241 xc:white -type TrueColor BMP3:shot_400x241.bmp
convert -seed 9 -size 400x240 plasma: -type TrueColor BMP3:shot_without_symbol.bmp

# Little-endian number of `length` bytes at `offset` of a file.
field() {
  od -An -t "u$3" -j "$2" -N "$3" --endian=little "$1" | tr -d ' '
}
expect_bmp() {
  local file=$1 width=$2 height=$3 bits=$4
  local got="$(field "$file" 18 4)x$(field "$file" 22 4)x$(field "$file" 28 2)"
  if [ "$got" != "${width}x${height}x${bits}" ]; then
    echo "$file is ${got}, expected ${width}x${height}x${bits} (width x height x bits)" >&2
    exit 1
  fi
}
expect_bmp picture_64x96.bmp 64 96 24
expect_bmp picture_64x96_8bit.bmp 64 96 8
expect_bmp picture_64x96_32bit.bmp 64 96 32
expect_bmp picture_64x96_rle8.bmp 64 96 8
if [ "$(field picture_64x96_rle8.bmp 30 4)" != 1 ]; then
  echo "picture_64x96_rle8.bmp is not run-length encoded" >&2
  exit 1
fi
expect_bmp picture_32x32.bmp 32 32 24
expect_bmp picture_100x64.bmp 100 64 24
expect_bmp shot_400x241.bmp 400 241 24
expect_bmp shot_without_symbol.bmp 400 240 24
if ! compare -metric AE picture_64x96.bmp picture_64x96_8bit.bmp null: 2>/dev/null ||
   ! compare -metric AE picture_64x96.bmp picture_64x96.png null: 2>/dev/null ||
   ! compare -metric AE picture_64x96.bmp picture_64x96_32bit.bmp null: 2>/dev/null ||
   ! compare -metric AE picture_64x96.bmp picture_64x96_rle8.bmp null: 2>/dev/null; then
  echo "the twins of picture_64x96.bmp differ from it" >&2
  exit 1
fi
echo "pictures written to $PWD"
