#!/usr/bin/env bash
# Renders every picture of the game from its SVG source in assets/src/ into assets/images/,
# at the exact size the game draws it: 8-bit RGBA PNGs without metadata, and the background
# as a 24-bit JPEG. Run from anywhere; the output is the same on every run.
# Needs rsvg-convert (librsvg2-bin), ImageMagick and the DejaVu fonts.
set -euo pipefail
cd "$(dirname "$0")/.."
src=assets/src
out=assets/images
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# name width height
pictures="
hurdler1 40 40
hurdler2 40 40
dead 32 27
tripped 40 22
jumping 51 40
hurdle 40 35
hurdleover 40 36
wall 280 334
biffo 42 42
bigmine 47 44
mine 42 39
ghost 35 56
mineexplode 35 33
mud 33 31
rakeup 41 41
rakedown 41 41
spikesopen 44 29
spikesclosed 46 24
background 1024 768
title 1024 693
story 128 157
mousearrow 64 49
track 1024 704
mousehandopen 64 61
mousehandclosed 64 60
gobutton 128 92
mudicon 64 75
ghosticon 64 80
rakeicon 64 78
biffoicon 64 82
spikesicon 64 84
mineicon 64 78
bigmineicon 64 117
ending 949 768
dim 1024 768
"

count=0
while read -r name w h; do
    [ -n "$name" ] || continue
    # pictures that show other pictures (tray cards, title) get them inlined as vectors first
    /usr/bin/python3 tools/inline_svg.py "$src/$name.svg" > "$src/.$name.flat.svg"
    rsvg-convert -w "$w" -h "$h" "$src/.$name.flat.svg" -o "$tmp/$name.png"
    rm -f "$src/.$name.flat.svg"
    if [ "$name" = background ]; then
        convert "$tmp/$name.png" -background white -alpha remove -alpha off -strip \
            -sampling-factor 2x2 -quality 90 -type TrueColor "$out/$name.jpg"
    else
        convert "$tmp/$name.png" -define png:color-type=6 -define png:bit-depth=8 \
            -define png:exclude-chunks=date,time +set date:create +set date:modify -strip \
            "PNG32:$out/$name.png"
    fi
    count=$((count + 1))
done <<< "$pictures"
echo "rendered $count pictures into $out/"
