#!/bin/sh
# Makes the directory listing's folder and file icons from their drawings.
set -e
cd "$(dirname "$0")"
for n in folder file; do
  convert -background none -density 96 "$n.svg" -resize 64x64 "PNG32:$n.png"
done
