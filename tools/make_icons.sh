#!/usr/bin/env bash
# Renders the game's icon at the sizes the desktop's icon theme asks for, and at the two a web app
# manifest asks for (web/icon-192.png and web/icon-512.png, for the browser bundle).
set -euo pipefail
cd "$(dirname "$0")/.."
render() { # <size> <output>
    rsvg-convert -w "$1" -h "$1" data/icons/brickwrath.svg |
        convert - -define png:color-type=6 -strip "PNG32:$2"
}
for size in 16 22 24 32 48 64 128 256; do
    mkdir -p data/icons/$size
    render $size data/icons/$size/brickwrath.png
done
for size in 192 512; do
    render $size web/icon-$size.png
done
