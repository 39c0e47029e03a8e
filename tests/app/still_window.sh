#!/usr/bin/env bash
# The real game in an OpenGL window on an X server of its own, read from screenshots. On a still
# screen nearly every frame repeats the last and is neither drawn nor swapped, so the window must
# go on showing the last frame drawn: the title, its hint faded in and the pointer where
# tools/screenshot.sh puts it, is the picture in docs/, held still for a second, and again after
# another window has covered part of it and gone away (an expose). Ends with SIGTERM, status 0.
# Usage: still_window.sh <game> <docs/opengl-title.png>
set -u
game=$(realpath "$1")
expected=$(realpath "$2")
source "$(dirname "$0")/x_server.sh"
source "$(dirname "$0")/../wait_for.sh"
start_x_server 1024x768
command -v display >/dev/null || skip "ImageMagick's display is missing"

# Pixels of a screenshot that differ from the expected picture by more than rounding: the
# blending of another Mesa may move a few.
differing() { compare -metric AE -fuzz 2% "$work/$1.png" "$expected" null: 2>&1; }
shows_title() { shot "$1" && [ "$(differing "$1")" -le 50 ]; }
colour_at() { convert "$work/$1.png" -crop "1x1+$2+$3" +repage -format '%[hex:p{0,0}]' info:; }
covered() { shot covered && [ "$(colour_at covered 300 300)" = FF00FF ]; }

mkdir "$work/home"
HOME=$work/home "$game" -ns -w 1024 -h 768 >"$work/out.txt" 2>"$work/err.txt" &
game_pid=$!
pids+=($game_pid)
wait_for "$work/out.txt" "$first_frame" $game_pid || fail "the game did not keep running to its first frame"
xdotool mousemove 300 330
# The hint fades in after 400 frames, some seconds on a busy machine.
poll 300 shows_title title || fail "the title never showed its picture: $(differing title) pixels differ"
echo "the title as in $expected"

# Held still for a second: every frame now repeats the last.
for i in 1 2 3 4 5; do
    sleep 0.2
    shows_title "still-$i" || fail "a still title, shot $i of 5: $(differing "still-$i") pixels differ"
done
echo "held still for a second, every shot as expected"

# Another window over part of the game's, then gone: the game must draw the part it uncovers.
convert -size 400x300 xc:magenta "$work/cover.png"
display -geometry +200+200 "$work/cover.png" &
cover_pid=$!
pids+=($cover_pid)
poll 50 covered || fail "the covering window never showed"
kill $cover_pid
wait $cover_pid 2>/dev/null
poll 25 shows_title uncovered || fail "after an expose: $(differing uncovered) pixels differ"
echo "covered and uncovered: the title is whole again"

kill -TERM $game_pid
ended_well $game_pid
echo "passed"
