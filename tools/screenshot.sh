#!/usr/bin/env bash
# Takes screenshots of the running game under a private Xvfb server, driving the mouse with
# xdotool. Usage: tools/screenshot.sh <game> <out-prefix> [game args...]
# Writes <out-prefix>-title.png (after the hint has faded in) and <out-prefix>-story.png.
set -euo pipefail
game=$(realpath "$1")
prefix=$(realpath -m "$2")
shift 2
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home GAME=$game PREFIX=$prefix GAME_ARGS="$*"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    "$GAME" $GAME_ARGS >/dev/null &
    pid=$!
    sleep 2
    xdotool mousemove 300 330
    # The hint fades in after 400 frames; software OpenGL on a busy machine draws far fewer than 60 a second.
    sleep 25
    import -window root "$PREFIX-title.png"
    xdotool mousemove 500 480 click 1
    sleep 1
    import -window root "$PREFIX-story.png"
    kill $pid
    wait $pid || true
'
