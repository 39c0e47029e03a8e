#!/usr/bin/env bash
# The Windows test: builds the zip (scripts/windows.sh, which installs what it needs), unpacks it
# into a fresh folder and plays it under Wine, in a private WINEPREFIX on an Xvfb server of its own,
# beside the Linux game given, whose screens it must match. The figures are printed, never asserted.
# Usage: tests/windows/run.sh <Linux game executable>
set -euo pipefail
linux=$(realpath "$1")
cd "$(dirname "$0")/../.."
source tests/wait_for.sh
begun=$SECONDS
zip=$(scripts/windows.sh | tail -n 1)
echo "zip: $zip, $(stat -c %s "$zip") bytes (built or brought up to date in $((SECONDS - begun)) s)"

work=$(mktemp -d)
cleanup() {
    [ -n "${game_pid:-}" ] && kill "$game_pid" 2>/dev/null
    [ -d "$work/prefix" ] && WINEPREFIX=$work/prefix wineserver -k 2>/dev/null
    [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# A display of its own, also where CI has none: Xvfb names a free one.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for ((tries = 0; tries < 100; tries++)); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
export DISPLAY=:$(cat "$work/display")
# A prefix of the test's own, without the Mono and Gecko installers' questions, nor menu entries
# written into this machine's desktop; Wine's sound goes to ALSA, whose default device is a
# recording owned by the test.
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"
printf 'pcm.!default { type file slave.pcm "recorder_null" file "%s" format "raw" }\npcm.recorder_null { type null }\n' \
    "$work/recording.raw" >"$work/asound.conf"
export ALSA_CONFIG_PATH=$work/asound.conf
begun=$SECONDS
wineboot -i >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d alsa /f >/dev/null 2>&1
echo "a new Wine prefix: $((SECONDS - begun)) s"

status=0
fail() { echo "FAILED: $*"; status=1; }

mkdir "$work/unpacked"
unzip -q "$zip" -d "$work/unpacked"
folder=$(echo "$work"/unpacked/brickwrath-*-windows-x64)
exe=$folder/brickwrath.exe

# What the zip holds: the program, its DLL, every sound the game loads, the licences, the README.
for file in brickwrath.exe SDL.dll LICENSE README.txt; do
    [ -f "$folder/$file" ] || fail "the zip has no $file"
done
[ -n "$(ls "$folder/LICENSES" 2>/dev/null)" ] || fail "the zip has no LICENSES folder"
for sound in assets/sounds/*.ogg; do
    cmp -s "$sound" "$folder/Contents/Resources/sounds/$(basename "$sound")" ||
        fail "the zip's Contents/Resources/sounds has no copy of $(basename "$sound")"
done

# Every DLL the program and its DLLs import is in the zip or one that every Windows has.
system_dlls="advapi32 gdi32 glu32 kernel32 msvcrt ole32 opengl32 shell32 user32 winmm dsound ddraw dxguid"
for binary in "$folder"/*.exe "$folder"/*.dll; do
    for dll in $(x86_64-w64-mingw32-objdump -p "$binary" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z'); do
        name=${dll%.dll}
        [ -n "$(find "$folder" -maxdepth 1 -iname "$dll")" ] && continue
        [[ " $system_dlls " == *" $name "* ]] || fail "$(basename "$binary") imports $dll, which is neither shipped nor Windows' own"
    done
done

# --help in a terminal: the usage text, exit status 0, and every flag explained in README.txt.
wine "$exe" --help >"$work/help.txt" 2>&1 && help_status=0 || help_status=$?
[ "$help_status" -eq 0 ] || fail "--help ended with status $help_status"
grep -q '^Usage:' "$work/help.txt" || fail "--help printed no usage text: $(head -c 300 "$work/help.txt")"
for flag in $(grep -o -- '--[a-z]\+' "$work/help.txt" | sort -u); do
    grep -q -- "$flag" "$folder/README.txt" || fail "README.txt does not explain $flag"
done
# The settings file is made where the README says: %APPDATA%\Tambrel\Tambrel.conf.
ls "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Tambrel/Tambrel.conf >/dev/null 2>&1 ||
    fail "no settings file in %APPDATA%\\Tambrel"

monotonic() { python3 -c 'import time; print(f"{time.monotonic():.3f}")'; }
# start <log> <command...>: launches the game, remembering when; game_pid is the launched process.
start() {
    local log=$1
    shift
    launched=$(monotonic)
    "$@" >"$log" 2>&1 &
    game_pid=$!
}
# The first frame's time after launch, from the game's own line (both clocks are the monotonic one).
first_frame_after_launch() {
    local shown
    shown=$(sed -n 's/^first frame shown at \([0-9.]*\).*/\1/p' "$1" | head -n 1)
    python3 -c "print(f'{$shown - $launched:.2f}')"
}
window_of() { timeout 60 xdotool search --sync --onlyvisible --name '^Brickwrath$' | head -n 1; }
at() { # moves the mouse to game pixel (x, y) of the window
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove $((X + $1)) $((Y + $2))
}
finish() { # ends the game running, whichever it is
    kill "$game_pid" 2>/dev/null || true
    wait "$game_pid" 2>/dev/null || true
    game_pid=
}
# The cursor is drawn at (300, 330): its box is left out of the comparison.
# Debian's python3, which python3-pil is installed for, whatever else comes first in PATH.
same_screen() { /usr/bin/python3 tests/windows/compare.py "$1" "$2" 4 292 322 72 72 || fail "$3"; }

# The title screen of each drawer, and for OpenGL the placement screen, on Linux and under Wine,
# taken as tests/web/run.sh takes them: before the title's hint fades in, the mouse kept still.
capture_screens() { # <prefix of the pictures> <log> <the drawer's flag or nothing>
    wait_for "$2" "$first_frame" "$game_pid" || { fail "$1: no first frame: $(tail -n 5 "$2")"; return 1; }
    window=$(window_of)
    at 300 330
    sleep 1.5
    import -window "$window" -strip "$work/$1-title.png"
    if [ -z "$3" ]; then
        at 565 635
        xdotool click 1
        sleep 1
        at 700 150
        sleep 1
        import -window "$window" -strip "$work/$1-placement.png"
    fi
}
for drawer in "" --sdl; do
    name=${drawer:-opengl}
    name=${name#--}
    HOME=$work/linux-home start "$work/linux-$name.log" "$linux" -w 1024 -h 768 -ns -nm $drawer
    capture_screens "linux-$name" "$work/linux-$name.log" "$drawer" &&
        echo "$name: first frame $(first_frame_after_launch "$work/linux-$name.log") s after launch on Linux"
    finish
    start "$work/wine-$name.log" wine "$exe" -w 1024 -h 768 -ns -nm $drawer
    capture_screens "wine-$name" "$work/wine-$name.log" "$drawer" &&
        echo "$name: first frame $(first_frame_after_launch "$work/wine-$name.log") s after launch under Wine"
    finish
    echo -n "$name, title screen: "
    same_screen "$work/linux-$name-title.png" "$work/wine-$name-title.png" "$name: the title screen under Wine differs from Linux's"
    if [ -z "$drawer" ]; then
        echo -n "$name, after a click on start: "
        same_screen "$work/linux-$name-placement.png" "$work/wine-$name-placement.png" \
            "$name: a click on start under Wine did not show Linux's placement screen"
    fi
done
[ -n "${BRICKWRATH_WINDOWS_SHOTS:-}" ] && cp "$work"/wine-*.png "$work"/linux-*.png "$BRICKWRATH_WINDOWS_SHOTS"/

# With sound on (the music off, so that what is heard is the race's): the recording Wine's ALSA
# driver writes is silent until go! is clicked and not silent once the race runs; p holds it.
# Then Escape leaves the race for the title screen and, again, ends the game with status 0.
recorded() { stat -c %s "$work/recording.raw" 2>/dev/null || echo 0; }
start "$work/wine-sound.log" wine "$exe" -w 1024 -h 768 -nm
if wait_for "$work/wine-sound.log" "$first_frame" "$game_pid"; then
    window=$(window_of)
    at 565 635
    xdotool click 1
    sleep 1
    before_race=$(recorded)
    at 928 696
    xdotool click 1
    sleep 3
    in_race=$(recorded)
    python3 - "$work/recording.raw" "$before_race" "$in_race" <<'PYTHON' || fail "the race under Wine was silent"
import sys
data = open(sys.argv[1], "rb").read()
start, end = int(sys.argv[2]), int(sys.argv[3])
before, during = data[:start], data[start:end]
share = lambda part: sum(1 for byte in part if byte) / max(len(part), 1)
print(f"sound: {len(before)} bytes recorded before the race ({share(before):.1%} not zero), "
      f"{len(during)} in its first 3 s ({share(during):.1%} not zero)")
sys.exit(0 if len(during) > 0 and share(during) > 0.01 else 1)
PYTHON
    # p holds the race: two pictures a second apart are the same to the last pixel, then p goes on.
    xdotool windowfocus "$window" 2>/dev/null || true
    xdotool key p
    sleep 0.5
    import -window "$window" -strip "$work/paused-1.png"
    sleep 1
    import -window "$window" -strip "$work/paused-2.png"
    echo -n "paused under Wine, a second apart: "
    /usr/bin/python3 tests/windows/compare.py "$work/paused-1.png" "$work/paused-2.png" 0 0 0 0 0 ||
        fail "p did not hold the race under Wine"
    xdotool key p
    xdotool key Escape
    sleep 1
    xdotool key Escape
    ended=0
    for ((tries = 0; tries < 100; tries++)); do
        kill -0 "$game_pid" 2>/dev/null || { ended=1; break; }
        sleep 0.1
    done
    if [ $ended -eq 1 ]; then
        wait "$game_pid" && code=0 || code=$?
        [ "$code" -eq 0 ] || fail "Escape twice ended the game with status $code"
    else
        fail "Escape twice did not end the game"
    fi
    game_pid=
else
    fail "the game with sound showed no first frame: $(tail -n 5 "$work/wine-sound.log")"
fi
exit $status
