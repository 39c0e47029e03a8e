#!/usr/bin/env bash
# The browser test: builds the bundle (scripts/web.sh, which installs what it needs), captures the
# desktop game's screens on the current X display, serves the bundle on this machine as a web host
# would and plays it in headless Chromium: on a desktop's screen, on a phone's, and offline; or, with
# "records", only the player's records across a reload.
# Usage: tests/web/run.sh <desktop game executable> [records]
set -euo pipefail
game=$(realpath "$1")
only=${2:-}
cd "$(dirname "$0")/../.."
source tests/wait_for.sh
scripts/web.sh --build

# puppeteer-core drives Debian's Chromium; it must never fetch a browser of its own. Its
# package.json is at the top of the tree, where node finds node_modules from tests/web.
export PUPPETEER_SKIP_DOWNLOAD=1
if [ ! -f node_modules/.package-lock.json ] || [ package-lock.json -nt node_modules/.package-lock.json ]; then
    npm ci --no-audit --no-fund --loglevel=error
fi

work=$(mktemp -d)
python3 -u -m http.server 0 --bind 127.0.0.1 --directory build-web >"$work/server.log" 2>&1 &
server=$!
HOME=$work "$game" -w 1024 -h 768 -ns -nm >"$work/desktop.log" 2>&1 &
desktop=$!
trap 'kill $server $desktop 2>/dev/null; wait $desktop 2>/dev/null; rm -rf "$work"' EXIT
wait_for "$work/server.log" '^Serving HTTP on ' $server || { cat "$work/server.log"; exit 1; }
port=$(sed -n 's/^Serving HTTP on .* port \([0-9]*\) .*/\1/p' "$work/server.log")
if [ "$only" = records ]; then
    kill $desktop 2>/dev/null || true
    node tests/web/records_test.mjs "http://127.0.0.1:$port/"
    exit
fi

# The desktop game's title and placement screens, captured with ImageMagick's import (stripped of
# the gamma it writes, which the browser would apply), with the mouse where the browser test puts it.
wait_for "$work/desktop.log" "$first_frame" $desktop || { echo "the desktop game showed no frame"; exit 1; }
window=$(timeout 30 xdotool search --sync --name '^Brickwrath$' | head -n 1)
at() { # moves the mouse to game pixel (x, y) of the window
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove $((X + $1)) $((Y + $2))
}
# Before the title's hint fades in (400 frames): the picture is still but for the cursor.
at 300 330
sleep 1.5
import -window "$window" -strip "$work/title.png"
at 565 635
xdotool click 1
sleep 1
at 700 150
sleep 1
import -window "$window" -strip "$work/placement.png"
kill $desktop 2>/dev/null || true

# Each part runs even when one before it failed.
status=0
node tests/web/touch_test.mjs || status=1
node tests/web/page_test.mjs "http://127.0.0.1:$port/" "$work" || status=1
node tests/web/phone_test.mjs "http://127.0.0.1:$port/" "$work" || status=1
node tests/web/offline_test.mjs build-web || status=1
exit $status
