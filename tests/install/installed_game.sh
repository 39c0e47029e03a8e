#!/usr/bin/env bash
# Installs the game into a temporary DESTDIR as a package would, checks what lands where and that
# the desktop entry and metainfo validate, then runs the installed game: --help, and the title
# screen under Xvfb until every sound file has been loaded from the installed data folder.
set -euo pipefail
build=$1
stage=$(mktemp -d)
home=$(mktemp -d)
out=$(mktemp)
trap 'rm -rf "$stage" "$home" "$out"' EXIT

DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
root=$stage/usr
fail() { echo "FAIL: $*"; exit 1; }

for file in bin/brickwrath share/applications/brickwrath.desktop \
            share/metainfo/io.github.brickwrath.Brickwrath.metainfo.xml \
            share/icons/hicolor/scalable/apps/brickwrath.svg share/man/man6/brickwrath.6; do
    [ -f "$root/$file" ] || fail "missing $file"
done
for size in 16 22 24 32 48 64 128 256; do
    icon=$root/share/icons/hicolor/${size}x${size}/apps/brickwrath.png
    [ -f "$icon" ] || fail "missing $size px icon"
done
sounds=$root/share/brickwrath/Contents/Resources/sounds
for sound in biffo boing die explosion footstep1 footstep2 ghost jump trip WallGrinding music; do
    [ -f "$sounds/$sound.ogg" ] || fail "missing $sound.ogg"
done
desktop-file-validate "$root/share/applications/brickwrath.desktop"
appstreamcli validate --no-net --pedantic "$root/share/metainfo/io.github.brickwrath.Brickwrath.metainfo.xml" >/dev/null
grep -q "/share/brickwrath/Contents/Resources/sounds" "$root/share/man/man6/brickwrath.6" || fail "man page names no sounds folder"

help=$(HOME=$home "$root/bin/brickwrath" --help) || fail "--help did not end with status 0"
grep -q "Display this help" <<<"$help" || fail "--help printed no usage"

HOME=$home xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    source "$2"
    "$0" -w 800 -h 600 >"$1" 2>&1 &
    pid=$!
    wait_for "$1" "$first_frame" $pid && wait_for "$1" "^vorbisfile: Loaded file: " $pid 11
    kill -TERM $pid
    wait $pid
' "$root/bin/brickwrath" "$out" "$(dirname "$0")/../wait_for.sh" || fail "the installed game did not end with status 0"
loaded=$(grep -c "^vorbisfile: Loaded file: $sounds/" "$out" || true)
[ "$loaded" -eq 11 ] || { cat "$out"; fail "$loaded of 11 sound files loaded from the installation"; }
echo "installed game: 11 sounds loaded from $sounds"
