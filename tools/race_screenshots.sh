#!/usr/bin/env bash
# Screenshots of the title, the story, the first placement phase with a hurdle held in the hand,
# and a race under way, from the real game under a private Xvfb server driven by xdotool.
# Usage: tools/race_screenshots.sh <game> <out-folder> [game args...] (-s for the software drawer)
set -eu
game=$1; out=$2
shift 2
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home GAME=$game OUT=$out GAME_ARGS="$*"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  "$GAME" -w 1024 -h 768 -ns -nm $GAME_ARGS >/dev/null 2>&1 &
  pid=$!
  sleep 2
  xdotool mousemove 300 330; sleep 8
  import -window root "$OUT/title.png"
  xdotool mousemove 500 480 click 1; sleep 1
  import -window root "$OUT/story.png"
  xdotool click 1; sleep 0.5
  xdotool mousemove 565 635 click 1; sleep 1
  xdotool mousemove 305 340; sleep 0.3
  xdotool mousedown 1; sleep 0.3
  xdotool mousemove 318 330; sleep 0.2; xdotool mousemove 330 318; sleep 0.5
  import -window root "$OUT/place.png"
  xdotool mouseup 1; sleep 0.3
  xdotool mousemove 928 696 click 1; sleep 4
  import -window root "$OUT/race.png"
  sleep 4
  import -window root "$OUT/race2.png"
  sleep 10
  import -window root "$OUT/over.png"
  kill $pid; wait $pid || true
'
