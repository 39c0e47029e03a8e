#!/usr/bin/env bash
# Runs a test that needs an X server: `display.sh server <command...>` on the one in DISPLAY,
# `private` on an Xvfb server of its own, `xvfb-run` for a command that starts one itself.
# Without one the test is skipped (status 77, which ctest counts as skipped); under CI=true it
# fails instead, so that a broken set-up never turns green.
set -u
mode=$1
shift
missing() {
    if [ "${CI:-}" = true ]; then
        echo "FAILED: $1 (under CI a display test may not be skipped)"
        exit 1
    fi
    echo "SKIPPED: $1"
    exit 77
}
if [ "$mode" = server ]; then
    [ -n "${DISPLAY:-}" ] || missing "no X server: DISPLAY is not set"
    # A local display is a socket; without it the server has gone.
    number=${DISPLAY#*:}
    number=${number%%.*}
    if [[ $DISPLAY == :* ]] && [ ! -S "/tmp/.X11-unix/X$number" ]; then
        missing "no X server at $DISPLAY"
    fi
    exec "$@"
fi
command -v xvfb-run >/dev/null && command -v Xvfb >/dev/null || missing "no xvfb-run or Xvfb to start an X server"
[ "$mode" = private ] && exec xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
exec "$@"
