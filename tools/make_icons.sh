#!/usr/bin/env bash
# Renders the game's icon at the sizes the desktop's icon theme asks for.
set -euo pipefail
cd "$(dirname "$0")/.."
for size in 16 22 24 32 48 64 128 256; do
    mkdir -p data/icons/$size
    rsvg-convert -w $size -h $size data/icons/brickwrath.svg |
        convert - -define png:color-type=6 -strip PNG32:data/icons/$size/brickwrath.png
done
