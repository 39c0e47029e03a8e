#!/usr/bin/env bash
# The desktop game's title and placement screens at 1024 by 768, captured with xwd on the current
# X display, with the mouse where the browser test puts it. Usage: desktop_screens.sh <game> <out>
# writes <out>/title.xwd and <out>/placement.xwd.
set -euo pipefail
source "$(dirname "$0")/../wait_for.sh"
game=$1
out=$2
home=$(mktemp -d)
HOME=$home "$game" -w 1024 -h 768 -ns -nm >"$out/desktop.log" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true; wait $pid 2>/dev/null || true; rm -rf "$home"' EXIT
wait_for "$out/desktop.log" "$first_frame" $pid || { echo "the desktop game showed no frame"; exit 1; }
window=$(timeout 30 xdotool search --sync --name '^Brickwrath$' | head -n 1)
at() { # moves the mouse to game pixel (x, y) of the window
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove $((X + $1)) $((Y + $2))
}
# Before the title's hint fades in (400 frames): the picture is still but for the cursor.
at 300 330
sleep 1.5
xwd -silent -id "$window" -out "$out/title.xwd"
at 565 635
xdotool click 1
sleep 1
at 700 150
sleep 1
xwd -silent -id "$window" -out "$out/placement.xwd"
