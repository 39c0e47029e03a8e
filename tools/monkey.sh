#!/usr/bin/env bash
# Monkey test: random mouse moves, clicks, drags, Escapes and the pause, sound and full-screen keys
# against the real game, first in the OpenGL drawer and then in the software drawer, each for a
# bounded time, restarting the game whenever it quits. Fails on a crash, an exit status other than
# 0 or any sanitizer report.
# Usage: tools/monkey.sh <game> [seconds per drawer, default $BRICKWRATH_MONKEY_SECONDS or 60] [seed]
# Runs on $DISPLAY, or on a private Xvfb server when there is none; needs xdotool.
set -u
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
game=$(realpath "$1")
seconds=${2:-${BRICKWRATH_MONKEY_SECONDS:-60}}
seed=${3:-$(date +%s)}
RANDOM=$seed
work=$(mktemp -d)
# pid 0 would mean the whole process group, the caller included: only a started game is ended.
trap '[ "${pid:-0}" -gt 0 ] && kill $pid 2>/dev/null; rm -rf "$work"' EXIT
export HOME=$work/home
mkdir -p "$HOME"
# Mesa and libX11 keep allocations to the end of the process that the leak checker cannot tell
# from the game's; the game's own memory is leak-checked by the tests without a display.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
echo "monkey: seed $seed, $seconds seconds per drawer"

pid=0
failures=0
escapedAt=-10
report() {
    echo "monkey: FAILED ($1); the game's output:"
    cat "$work/out.txt" "$work/err.txt" | grep -v '^vorbisfile: '
    failures=$((failures + 1))
}

# Whether the game still runs (a game that has quit stays as a zombie until it is waited for).
alive() {
    local state
    state=$(ps -o stat= -p $pid 2>/dev/null) && [[ $state != Z* ]]
}

# The game's exit, checked: status 0 and nothing from a sanitizer.
finished() {
    wait $pid
    local status=$?
    pid=0
    if grep -q 'Sanitizer\|runtime error:' "$work/err.txt"; then
        report "sanitizer report"
    elif [ $status -ne 0 ]; then
        report "exit status $status"
    fi
}

start() {
    local drawer=$1
    local args=(-ns)
    if [ "$drawer" = software ]; then
        args+=(--sdl)
        width=1024
        height=768
    else
        # A different window shape each time, so that the letterboxing is played through too.
        local sizes=("1024 768" "800 600" "1280 720" "640 800" "1000 1000")
        read -r width height <<<"${sizes[RANDOM % ${#sizes[@]}]}"
        args+=(-w $width -h $height)
    fi
    "$game" "${args[@]}" >"$work/out.txt" 2>"$work/err.txt" &
    pid=$!
    window=$(timeout 60 xdotool search --sync --onlyvisible --pid $pid --name '^Brickwrath$' 2>/dev/null | head -n 1)
    starts=$((starts + 1))
}

# One random action; the game may quit on an Escape.
act() {
    local x=$((RANDOM % width)) y=$((RANDOM % height))
    local roll=$((RANDOM % 100))
    if [ $roll -lt 40 ]; then
        xdotool mousemove $x $y
    elif [ $roll -lt 75 ]; then
        xdotool mousemove $x $y click 1
    elif [ $roll -lt 94 ]; then
        local toX=$((RANDOM % width)) toY=$((RANDOM % height))
        xdotool mousemove $x $y mousedown 1 sleep 0.05 mousemove $(((x + toX) / 2)) $(((y + toY) / 2)) sleep 0.05 \
            mousemove $toX $toY mouseup 1
    elif [ $roll -lt 98 ]; then
        # The pause, the sound and the full-screen keys.
        local keys=(p m F11 alt+Return)
        xdotool key "${keys[roll - 94]}"
    else
        xdotool key Escape
        escapedAt=$SECONDS
    fi
    actions=$((actions + 1))
}

for drawer in opengl software; do
    starts=0
    actions=0
    deadline=$((SECONDS + seconds))
    while [ $SECONDS -lt $deadline ]; do
        start $drawer
        if [ -z "$window" ]; then
            alive && kill -TERM $pid
            finished
            report "no window"
            continue
        fi
        while [ $SECONDS -lt $deadline ] && alive; do
            act 2>/dev/null
        done
        # An Escape just before the deadline may have the game quitting already: SDL has handed the
        # quit signal back by then, while the music stops. It is given its time to finish first.
        for _ in 1 2 3 4 5 6; do
            [ $((SECONDS - escapedAt)) -le 2 ] && alive || break
            sleep 0.5
        done
        # Still running at the deadline: ask it to quit as a window close would.
        alive && kill -TERM $pid
        finished
    done
    echo "monkey: $drawer drawer: $actions actions over $seconds seconds, the game started $starts times"
done
[ $failures -eq 0 ] || { echo "monkey: $failures failures (seed $seed)"; exit 1; }
echo "monkey: no crash, no report"
