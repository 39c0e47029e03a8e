#!/usr/bin/env bash
# The real game heard through a real sound server, as on a desktop: a PulseAudio daemon of the
# test's own (its own runtime folder and home, a null sink at 44100 in floats, the native protocol
# only) with ALSA's pulse plug-in as the default device. The sink's monitor is recorded while the
# title screen plays, then a race is started by clicks; mid-race the server is killed, and the game
# must play on, say so in one line, and end with Escape twice, with status 0, within 2 s.
# The recording goes through machine_stall_watch, which notes when the machine itself stood still,
# so that the check can tell the machine's silence from the game's.
# Usage: sound_server.sh <game> <server_recording_check> <machine_stall_watch> [pulseaudio|pipewire]; it needs an X
# server (tests/display.sh). With pipewire the server is PipeWire with its session manager and its
# pulse layer, the other server desktops ship, set up the same way.
# Status 77: the server cannot be started here (under CI=true that fails instead).
set -u
game=$(realpath "$1")
check=$(realpath "$2")
watch=$(realpath "$3")
kind=${4:-pulseaudio}
sounds=$(dirname "$game")/Contents/Resources/sounds
title_seconds=20
work=$(mktemp -d)
pids=()
trap 'for p in "${pids[@]}"; do kill -9 $p 2>/dev/null; done; rm -rf "$work"' EXIT
source "$(dirname "$0")/../wait_for.sh"

fail() { echo "FAILED: $*"; exit 1; }
missing() {
    [ "${CI:-}" = true ] && fail "$1 (under CI the sound server test may not be skipped)"
    echo "SKIPPED: $1"
    exit 77
}
# poll <tries> <command...>: the command every 0.1 s until it succeeds; false if it never does.
poll() {
    local tries=$1
    shift
    for (( ; tries > 0; tries--)); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}
listed() { [ -n "$(pactl list short "$1" 2>/dev/null)" ]; }
gone() { ! kill -0 "$1" 2>/dev/null; }
# PipeWire's session manager, which makes the null sink the default, needs a session bus: a private one.
if [ "$kind" = pipewire ] && [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
    command -v dbus-run-session >/dev/null || missing "no dbus-run-session (package dbus)"
    exec dbus-run-session -- "$0" "$@"
fi
needed="parec pactl xdotool pulseaudio"
[ "$kind" = pipewire ] && needed="parec pactl xdotool pipewire pipewire-pulse wireplumber"
for tool in $needed; do
    command -v $tool >/dev/null || missing "no $tool (scripts/packages.sh lists the test's packages)"
done
compgen -G "/usr/lib/*/alsa-lib/libasound_module_pcm_pulse.so" >/dev/null || missing "no ALSA pulse plug-in (libasound2-plugins)"

# Everything the server and its clients keep goes in the test's folder; the machine's own server,
# if any, is neither used nor disturbed. As root the daemon warns that it is meant for users, and
# runs: --system is a different set-up altogether.
export HOME=$work/home XDG_RUNTIME_DIR=$work/run
# The server's socket folder is made here, before any client looks: pactl, polling below, makes it
# too, and pipewire-pulse gives up when it loses that race ("mkdir() .../pulse failed: File exists").
mkdir -p "$HOME/.config/pulse" "$XDG_RUNTIME_DIR/pulse"
chmod 700 "$XDG_RUNTIME_DIR" "$XDG_RUNTIME_DIR/pulse"
echo "autospawn = no" >"$HOME/.config/pulse/client.conf"
printf 'pcm.!default { type pulse }\nctl.!default { type pulse }\n' >"$HOME/.asoundrc"
null_sink="module-null-sink sink_name=game rate=44100 format=float32le channels=2"
if [ "$kind" = pipewire ]; then
    pipewire >"$work/pulse.out" 2>&1 &
    server=$!
    pids+=($server)
    sleep 0.5
    wireplumber >>"$work/pulse.out" 2>&1 &
    pids+=($!)
    pipewire-pulse >>"$work/pulse.out" 2>&1 &
    pids+=($!)
else
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no -vvvv --log-time=1 --log-target="file:$work/pulse.log" \
        -L "$null_sink" -L "module-native-protocol-unix" >"$work/pulse.out" 2>&1 &
    server=$!
    pids+=($server)
fi
for ((tries = 0; tries < 100; tries++)); do
    pactl info >/dev/null 2>&1 && break
    kill -0 $server 2>/dev/null || break
    sleep 0.1
done
pactl info >/dev/null 2>&1 || { cat "$work/pulse.out"; missing "the sound server did not start"; }
if [ "$kind" = pipewire ]; then
    # The session manager makes the null sink the default once it has seen it.
    pactl load-module $null_sink >/dev/null || fail "no null sink"
    for ((tries = 0; tries < 50; tries++)); do
        [ "$(pactl get-default-sink 2>/dev/null)" = game ] && break
        pactl set-default-sink game 2>/dev/null
        sleep 0.1
    done
    [ "$(pactl get-default-sink 2>/dev/null)" = game ] || fail "the null sink is not the default"
fi
grep '^W:.*root' "$work/pulse.out"

# PulseAudio's null sink left with no stream runs ahead by two seconds, and a stream that comes
# back can rewind only a few milliseconds of that. After an underrun (a stall of the machine, not
# of the game) ALSA's plug-in makes the game's stream anew, and the sink, idle in between, plays it
# two seconds late: a sound card's sink rewinds its whole buffer instead. A silent stream of the
# test's own keeps the sink awake, as a desktop's other sounds do; its zeros add nothing to the
# recording. PipeWire's sink shows no such gap, and there a second stream only made the recording
# stray from the music.
if [ "$kind" = pulseaudio ]; then
    pacat --playback -d game --format=float32le --rate=44100 --channels=2 --latency-msec=50 /dev/zero \
        2>"$work/pacat.err" &
    pids+=($!)
    poll 50 listed sink-inputs || { cat "$work/pacat.err"; fail "the silent stream did not start"; }
fi

# Ten milliseconds a read, so that the watch places the recording's first frame that closely.
parec -d game.monitor --format=float32le --rate=44100 --channels=2 --raw --latency-msec=10 2>"$work/parec.err" |
    "$watch" "$work/recording.raw" "$work/stalls.txt" &
recorder=$!
pids+=($recorder)
# The recording must have begun before the game's first frame of sound.
poll 100 listed source-outputs
"$game" -s >"$work/out.txt" 2>"$work/err.txt" &
game_pid=$!
pids+=($game_pid)
wait_for "$work/out.txt" "$first_frame" $game_pid || { cat "$work/out.txt" "$work/err.txt"; fail "no first frame"; }
sleep $((title_seconds + 1))

# Start, then go!: the placement screen, and the race. Clicks land in the game's window, wherever
# the X server put it.
window=$(xdotool search --onlyvisible --pid $game_pid --name '^Brickwrath$' | head -n 1)
[ -n "$window" ] || fail "no game window"
xdotool mousemove --window "$window" 565 635 click 1
sleep 1
xdotool mousemove --window "$window" 928 696 click 1
sleep 4
# Every process of the server goes at once, as when it crashes.
kill -9 "${pids[@]:0:$((${#pids[@]} - 2))}" 2>/dev/null
poll 50 grep -q '^PortAudioDevice Error: ' "$work/out.txt"
sleep 1
kill -0 $game_pid 2>/dev/null || fail "the game ended with the sound server"
started=$(date +%s.%N)
xdotool key Escape
sleep 0.3
xdotool key Escape
poll 50 gone $game_pid || fail "Escape twice did not end the game within 5 s"
wait $game_pid
status=$?
ended=$(date +%s.%N)
echo "--- what the game printed (without the sound files it loaded):"
grep -v '^vorbisfile: ' "$work/out.txt"
echo "--- on standard error:"
cat "$work/err.txt"
echo "---"
grep -o 'Requested tlength=[^,]*\|Final latency.*' "$work/pulse.log" | sed -n 'h;n;G;p' | tail -n 2
elapsed=$(awk -v a="$started" -v b="$ended" 'BEGIN { printf "%.2f", b - a - 0.3 }')
echo "ended with status $status, $elapsed s after the second Escape"
[ "$status" -eq 0 ] || fail "exit status $status"
awk -v e="$elapsed" 'BEGIN { exit !(e <= 2.0) }' || fail "the game took $elapsed s to end"
[ "$(grep -c '^PortAudioDevice Error: ' "$work/out.txt")" -eq 1 ] || fail "not one line about the lost sound"
grep -q 'Expression' "$work/err.txt" && fail "the library's own lines reached standard error"
# The recording ended with the server; the watch writes its stalls once it has.
poll 50 gone $recorder || fail "the recording did not end with the server"
wait $recorder || fail "the recording's watch failed"
sed 's/^/the machine stood still (from, for, in seconds of the recording): /' "$work/stalls.txt"
"$check" "$work/recording.raw" "$sounds" $title_seconds "$work/stalls.txt" || {
    cp "$work/recording.raw" "$work/stalls.txt" "$work/pulse.log" . 2>/dev/null
    # When the game's stream first ran dry, and when it was made anew (seconds since the server began).
    sed -n '/Implicit underrun/,$p' "$work/pulse.log" 2>/dev/null | grep 'Implicit underrun\|Created input' | cut -c1-100
    fail "the recording (kept as recording.raw, with stalls.txt and pulse.log, in $PWD)"
}
echo "passed"
