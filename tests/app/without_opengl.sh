#!/usr/bin/env bash
# Starts the game on an X server without OpenGL: it must say so in one line, carry on with the
# software drawer, and quit with status 0 when asked to (SIGTERM arrives as a window close).
set -u
game=$1
home=$(mktemp -d)
out=$(mktemp)
trap 'rm -rf "$home" "$out"' EXIT
HOME=$home xvfb-run -a -s "-screen 0 1024x768x24 -extension GLX" bash -c '
    source "$2"
    "$0" -w 800 -h 600 -ns >"$1" 2>/dev/null &
    pid=$!
    wait_for "$1" "$first_frame" $pid || { echo "the game did not keep running to its first frame"; exit 1; }
    kill -TERM $pid
    wait $pid
' "$game" "$out" "$(dirname "$0")/../wait_for.sh"
status=$?
cat "$out"
[ $status -eq 0 ] || { echo "exit status $status"; exit 1; }
grep -q "^OpenGLDrawer: Could not set an OpenGL video mode, using the SDL drawer instead.$" "$out" || exit 1
