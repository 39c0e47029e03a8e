#!/usr/bin/env bash
# Starts the real game in a damaged setting and checks that it says so in one clear line, keeps
# running where it can, and ends with status 0 (SIGTERM arrives as a window close).
# Usage: faults.sh <case> <game> [preload library, for no-video-mode]. Cases that need an X server
# (or start one, as no-opengl does) run through tests/display.sh (see tests/CMakeLists.txt).
# Exit status 77 means the case cannot be set up here and was skipped.
set -u
case=$1
game=$(realpath "$2")
work=$(mktemp -d)
chmod 755 "$work"
trap 'kill ${xvfb:-} 2>/dev/null; chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
out=$work/out.txt
mkdir "$work/home"
settings="Library/Application Support/Tambrel"
source "$(dirname "$0")/../wait_for.sh"

fail() { echo "FAILED: $*"; exit 1; }

# Runs the game until it has shown its first frame and printed a line matching `pattern`, then
# asks it to quit; fails unless it was still running then and quit with status 0.
play() {
    local pattern=$1
    shift
    "$@" >"$out" 2>"$work/err.txt" &
    local pid=$!
    wait_for "$out" "$first_frame" $pid && wait_for "$out" "$pattern" $pid
    if ! kill -0 $pid 2>/dev/null; then
        wait $pid
        echo "status $?"
        cat "$out" "$work/err.txt"
        fail "the game did not keep running"
    fi
    echo "resident memory at its first frame: $(($(awk '{print $2}' /proc/$pid/statm) * $(getconf PAGESIZE))) bytes"
    kill -TERM $pid
    wait $pid
    ended $?
}

# After the game's end with status $1: what it printed, no sanitizer report, and status 0.
ended() {
    echo "--- what the game printed (without the sound files it loaded):"
    grep -v '^vorbisfile: ' "$out"
    echo "---"
    if grep -q 'ERROR: AddressSanitizer\|runtime error:\|ThreadSanitizer' "$work/err.txt"; then
        cat "$work/err.txt"
        fail "sanitizer report"
    fi
    [ "$1" -eq 0 ] || { cat "$work/err.txt"; fail "exit status $1"; }
}

expect_line() { grep -qx -- "$1" "$out" || fail "no line \"$1\""; }

# The window of the game with process id $1, as X sees it: "width height", once it is mapped.
# Other tests may have games of their own on the same X server. Polled a bounded number of times
# rather than against the clock, so a machine that stalls for a while (a busy or paused host)
# does not count as a game that never opened its window.
window_size() {
    local id tries
    for ((tries = 0; tries < 120; tries++)); do
        kill -0 "$1" 2>/dev/null || return
        id=$(xdotool search --onlyvisible --pid "$1" --name '^Brickwrath$' 2>/dev/null | head -n 1)
        if [ -n "$id" ]; then
            xdotool getwindowgeometry "$id" | awk '/Geometry:/ { split($2, size, "x"); print size[1], size[2] }'
            return
        fi
        sleep 0.5
    done
}

# Where the game with process id $1 is, thread by thread: for a game that never opened its window.
show_where() {
    echo "--- the game's state:"
    grep -E '^(State|Threads|SigCgt):' "/proc/$1/status" 2>/dev/null
    if command -v gdb >/dev/null; then
        gdb -p "$1" -batch -ex 'thread apply all bt 12' 2>/dev/null | grep -E '^(Thread|#)'
    else
        for task in /proc/"$1"/task/*; do echo "$task: $(cat "$task/wchan" 2>/dev/null)"; done
    fi
    echo "--- its windows, visible or not:"
    for id in $(xdotool search --pid "$1" 2>/dev/null); do
        echo "$id \"$(xdotool getwindowname "$id" 2>/dev/null)\" $(xdotool getwindowgeometry "$id" 2>/dev/null | tr '\n' ' ')"
    done
    echo "--- what it printed so far:"
    cat "$out" "$work/err.txt"
}

# Root writes anywhere, so the cases about folders it may not write run as the user nobody.
as_nobody=(setpriv --reuid=65534 --regid=65534 --clear-groups)
skip() { echo "SKIPPED: $1"; exit 77; }

# nobody may not be able to enter the build (root's clone in /root, mode 0700), so it runs a copy
# of the game, with its sounds and the leak checker's suppressions, from the work folder.
copy_for_nobody() {
    local copy=$work/nobody from supp
    from=$(dirname "$game")
    mkdir -p "$copy" && cp "$game" "$copy/brickwrath" || skip_copy
    if [ -d "$from/Contents" ]; then
        cp -r "$from/Contents" "$copy/" || skip_copy
    fi
    supp=$(sed -n 's/.*suppressions=\([^:]*\).*/\1/p' <<<"${LSAN_OPTIONS:-}")
    if [ -n "$supp" ]; then
        cp "$supp" "$copy/lsan.supp" || skip_copy
        export LSAN_OPTIONS=${LSAN_OPTIONS/"$supp"/$copy/lsan.supp}
    fi
    game=$copy/brickwrath
    chmod -R a+rX "$copy" && "${as_nobody[@]}" test -x "$game" || skip_copy
}
skip_copy() { skip "could not copy the game into $work for the user nobody"; }

case $case in
no-opengl)
    # An X server of its own without OpenGL: the software drawer takes over, and says so.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -extension GLX -nolisten tcp 3>"$work/display" 2>/dev/null &
    xvfb=$!
    wait_for "$work/display" '^[0-9]' $xvfb || fail "Xvfb did not start"
    play '^OpenGLDrawer: Could not set an OpenGL video mode, using the SDL drawer instead.$' \
        env DISPLAY=":$(cat "$work/display")" HOME="$work/home" "$game" -w 800 -h 600 -ns
    ;;
no-audio-device)
    # The machine's own audio set-up, without its sound cards: where there are any, root hides
    # them behind an empty folder in a mount namespace of the game's own. The game plays on
    # without sound.
    hide=()
    if compgen -G "/dev/snd/pcm*" >/dev/null; then
        [ "$(id -u)" -eq 0 ] || skip "this machine has a sound card, and only root can hide it from the game"
        hide=(unshare --mount bash -c 'mount -t tmpfs none /dev/snd && exec "$0" "$@"')
    fi
    play '^PortAudioDevice Error: ' "${hide[@]}" env HOME="$work/home" SDL_VIDEODRIVER=dummy "$game" --sdl
    grep -q '^PortAudioDevice Error: ' "$out" || fail "no line about the missing audio device"
    ;;
home-unwritable)
    chmod 555 "$work/home"
    if [ "$(id -u)" -eq 0 ]; then
        copy_for_nobody
        play "$first_frame" "${as_nobody[@]}" env HOME="$work/home" SDL_VIDEODRIVER=dummy "$game"
    else
        play "$first_frame" env HOME="$work/home" SDL_VIDEODRIVER=dummy "$game"
    fi
    expect_line "Could not create directory $work/home/$settings"
    ;;
quit-signals-while-ending)
    # Quit signals every tenth of a second from the first on, through the whole shutdown, the
    # music player's stop wait included: none of them may end the game before it ends itself.
    env HOME="$work/home" SDL_VIDEODRIVER=dummy "$game" --sdl >"$out" 2>"$work/err.txt" &
    pid=$!
    wait_for "$out" "$first_frame" $pid || { cat "$out" "$work/err.txt"; fail "the game did not keep running"; }
    for _ in $(seq 50); do
        kill -TERM $pid 2>/dev/null || break
        sleep 0.1
    done
    wait $pid
    ended $?
    ;;
fork-while-starting)
    # Without a session bus SDL's D-Bus library forks a helper (dbus-launch) while SDL starts. The
    # fork must come before the game starts any thread of its own (tests/app/ForkWatch.cpp, given
    # as the third argument, names every fork with the process's thread count).
    play "$first_frame" env -u DBUS_SESSION_BUS_ADDRESS HOME="$work/home" LD_PRELOAD="$(realpath "$3")" \
        ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0" "$game" -ns
    grep 'fork-watch:' "$work/err.txt"
    grep -q 'fork-watch:' "$work/err.txt" || skip "nothing forked here (a session bus, or SDL without D-Bus)"
    if grep -v 'fork-watch: forked with 1 threads' "$work/err.txt" | grep -q 'fork-watch:'; then
        fail "a fork while the game had threads running"
    fi
    ;;
no-video-mode)
    # Neither drawer gets a window (tests/app/NoVideoMode.cpp, given as the third argument): the
    # OpenGL drawer hands over to the software drawer, which cannot open one either, and the game
    # ends at once through its fatal-error line with status 0.
    timeout 60 env HOME="$work/home" SDL_VIDEODRIVER=dummy LD_PRELOAD="$(realpath "$3")" \
        ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0" "$game" >"$out" 2>"$work/err.txt"
    ended $?
    expect_line "OpenGLDrawer: Could not set an OpenGL video mode, using the SDL drawer instead."
    expect_line "Could not set a video mode: this display offers no video mode"
    ;;
size-*)
    # size-<drawer>-<source>-<width>x<height>: the window of that size asked for on the command
    # line or in the settings file, drawn by OpenGL or by the software drawer, on an X server.
    IFS=- read -r _ drawer source size <<<"$case"
    width=${size%x*}
    height=${size#*x}
    mkdir -p "$work/home/$settings"
    software=0
    [ "$drawer" = software ] && software=1
    if [ "$source" = file ]; then
        printf 'w %s\nh %s\nns 1\nsdl %s\n' "$width" "$height" $software >"$work/home/$settings/Tambrel.conf"
        args=()
    else
        args=(-w "$width" -h "$height" -ns)
        [ $software -eq 1 ] && args+=(--sdl)
    fi
    export HOME=$work/home
    "$game" "${args[@]}" >"$out" 2>"$work/err.txt" &
    pid=$!
    # Looked for once the first frame is shown: a 10000 by 10000 OpenGL window sends the X server
    # 400 MB a frame, and while the title's hint fades in, a busy server may answer nobody else.
    wait_for "$out" "$first_frame" $pid || fail "the game ended before its first frame"
    opened=$(window_size $pid)
    [ -n "$opened" ] || show_where $pid
    kill -TERM $pid
    wait $pid
    status=$?
    echo "asked for $width by $height ($drawer drawer, $source), window opened: ${opened:-none}"
    ended $status
    # What each drawer opens: the software drawer always 1024 by 768; OpenGL the size asked for,
    # sizes of zero or less replaced by 800 by 600 with a line each.
    if [ $software -eq 1 ] || grep -qx "OpenGLDrawer: Could not set an OpenGL video mode, using the SDL drawer instead." "$out"; then
        expected="1024 768"
    elif [ "$width" -le 0 ]; then
        expected="800 600"
    else
        expected="$width $height"
    fi
    if [ "$width" -le 0 ]; then
        expect_line "Using default width = 800"
        expect_line "Using default height = 600"
    fi
    [ "$opened" = "$expected" ] || fail "window of $opened, expected $expected"
    ;;
*)
    fail "unknown case $case"
    ;;
esac
echo "passed: $case"
