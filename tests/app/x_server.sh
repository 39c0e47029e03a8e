# Sourced by the tests that play the real game on an X server of their own and read it from
# screenshots: a work folder and the processes to end on exit, fail and skip (status 77: what
# the test needs is missing here, a failure under CI=true), poll, start_x_server, shot and
# ended_well.
work=$(mktemp -d)
pids=()
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null && wait "${pids[i]}" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAILED: $*"
    [ -f "$work/out.txt" ] && grep -v '^vorbisfile: ' "$work/out.txt"
    exit 1
}
skip() { [ "${CI:-}" = true ] && fail "$1 (CI must run this test)"; echo "SKIPPED: $1"; exit 77; }
# Runs a command up to `tries` times, a fifth of a second apart, until it succeeds.
poll() {
    local tries=$1
    shift
    for ((; tries > 0; tries--)); do
        "$@" && return 0
        sleep 0.2
    done
    return 1
}
# Starts Xvfb with one screen of `size` (WxH) and points DISPLAY at it; with `openbox`, that
# window manager too.
start_x_server() {
    local size=$1 manager=${2:-}
    command -v Xvfb >/dev/null && command -v xdotool >/dev/null && command -v import >/dev/null ||
        skip "Xvfb, xdotool or ImageMagick is missing"
    [ -z "$manager" ] || command -v "$manager" >/dev/null || skip "$manager is missing"
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$work/display" 2>/dev/null &
    pids+=($!)
    poll 50 test -s "$work/display" || skip "Xvfb did not start"
    export DISPLAY=:$(cat "$work/display")
    [ -n "$manager" ] || return 0
    # An EWMH window manager publishes the number of desktops once it manages the screen. A busy
    # Xvfb now and then resets a new connection, the manager's too: it is started again.
    for _ in 1 2 3; do
        "$manager" >/dev/null 2>&1 &
        pids+=($!)
        poll 50 xdotool get_num_desktops >/dev/null 2>&1 && return 0
        kill "${pids[-1]}" 2>/dev/null
    done
    skip "$manager did not start"
}
shot() { import -window root "$work/$1.png"; }
# Waits for the game with process id $1 to end: no sanitizer report in its err.txt, and status 0.
ended_well() {
    wait "$1"
    local status=$?
    ! grep -q 'ERROR: AddressSanitizer\|runtime error:' "$work/err.txt" || { cat "$work/err.txt"; fail "sanitizer report"; }
    [ $status -eq 0 ] || { cat "$work/err.txt"; fail "exit status $status"; }
}
