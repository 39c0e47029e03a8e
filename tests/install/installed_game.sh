#!/usr/bin/env bash
# Installs the game into a temporary DESTDIR as a package would, checks what lands where and that
# the desktop entry and metainfo validate, then runs the installed game: --help, and the title
# screen under Xvfb until every sound file has been loaded from the installed data folder.
set -euo pipefail
build=$1
source "$(dirname "$0")/run_installed.sh"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
root=$stage/usr

for file in bin/brickwrath share/applications/brickwrath.desktop \
            share/metainfo/io.github.brickwrath.Brickwrath.metainfo.xml \
            share/icons/hicolor/scalable/apps/brickwrath.svg share/man/man6/brickwrath.6; do
    [ -f "$root/$file" ] || fail "missing $file"
done
for size in 16 22 24 32 48 64 128 256; do
    icon=$root/share/icons/hicolor/${size}x${size}/apps/brickwrath.png
    [ -f "$icon" ] || fail "missing $size px icon"
done
folder=$root/share/brickwrath/Contents/Resources/sounds
for sound in "${sounds[@]}"; do
    [ -f "$folder/$sound.ogg" ] || fail "missing $sound.ogg"
done
desktop-file-validate "$root/share/applications/brickwrath.desktop"
appstreamcli validate --no-net --pedantic "$root/share/metainfo/io.github.brickwrath.Brickwrath.metainfo.xml" >/dev/null
grep -q "/share/brickwrath/Contents/Resources/sounds" "$root/share/man/man6/brickwrath.6" || fail "man page names no sounds folder"

run_installed "$root/bin/brickwrath" "$folder"
