#!/usr/bin/env bash
# The real game started in a window, on an X server of its own with a window manager (openbox):
# F11 takes it to the whole screen, letterboxed, and Alt+Enter brings it back to a window of the
# size it had (where the window manager likes), where a click on the start button, seen through
# the same mapping as before, starts a race.
# Usage: fullscreen_keys.sh <opengl|software> <game>
# Exit status 77: no window manager could be started here (a failure under CI=true).
set -u
drawer=$1
game=$(realpath "$2")
screen=1280x800
args=(-ns -w 800 -h 600)
[ "$drawer" = software ] && args=(-ns -s)
source "$(dirname "$0")/x_server.sh"
start_x_server "$screen" openbox

# "width height x y" of the game's window, as X has it.
geometry() {
    xdotool getwindowgeometry "$window" |
        awk '/Position:/ { split($2, at, ","); x = at[1]; y = at[2] }
             /Geometry:/ { split($2, size, "x"); print size[1], size[2], x, y }'
}
is_geometry() { [ "$(geometry)" = "$1" ]; }
# Whether the window has that size ("width height"), wherever the window manager put it.
is_size() { [ "$(geometry | cut -d' ' -f1-2)" = "$1" ]; }
# Whether the picture's point (x, y), in a picture w by h at (left, top) of the screen, is the
# track (red) rather than grass.
shows_track_at() {
    shot patch
    local d
    d=$(convert "$work/patch.png" -crop "20x20+$1+$2" -format '%[fx:mean.r - mean.g]' info:)
    awk -v d="$d" 'BEGIN { exit !(d > 0.1) }'
}
# The first and last lit pixel of the middle row of the screenshot.
lit_row() {
    convert "$work/$1.png" -crop "${screen%x*}x1+0+$((${screen#*x} / 2))" +repage -depth 8 txt:- |
        awk -F'[(),]+' 'NR > 1 && $3 + $4 + $5 > 30 { n = NR - 2; if (first == "") first = n; last = n }
                        END { print first, last }'
}

mkdir "$work/home"
HOME=$work/home "$game" "${args[@]}" >"$work/out.txt" 2>"$work/err.txt" &
game_pid=$!
pids+=($game_pid)
poll 100 eval 'window=$(xdotool search --onlyvisible --pid $game_pid --name "^Brickwrath$" 2>/dev/null | head -n 1); [ -n "$window" ]' ||
    fail "no window"
sleep 1
windowed=$(geometry)
echo "windowed: $windowed (width height x y)"

xdotool windowactivate --sync "$window" key F11
poll 50 is_geometry "${screen/x/ } 0 0" || fail "F11: the window is $(geometry), not the whole $screen screen"
sleep 1
shot full
read -r first last < <(lit_row full)
# The 4:3 picture, 1067 wide on a 1280 by 800 screen, centred: black bars of 106 or 107 either side.
[ "$first" -ge 104 ] && [ "$first" -le 109 ] && [ "$last" -ge 1170 ] && [ "$last" -le 1175 ] ||
    fail "full screen: the middle row is lit from $first to $last, not letterboxed"
echo "full screen: the middle row lit from $first to $last"

xdotool key alt+Return
poll 50 is_size "${windowed% * *}" || fail "Alt+Enter: the window is $(geometry), not ${windowed% * *} as before"
echo "windowed again: $(geometry)"

# The start button's middle, (565, 635) of the 1024 by 768 picture, in the window as it is.
read -r width height x y < <(geometry)
read -r px py < <(awk -v w="$width" -v h="$height" -v x="$x" -v y="$y" \
    'BEGIN { s = w / 1024 < h / 768 ? w / 1024 : h / 768; l = x + (w - 1024 * s) / 2; t = y + (h - 768 * s) / 2
             printf "%d %d\n", l + 565 * s, t + 635 * s }')
xdotool mousemove "$px" "$py" click 1
read -r tx ty < <(awk -v w="$width" -v h="$height" -v x="$x" -v y="$y" \
    'BEGIN { s = w / 1024 < h / 768 ? w / 1024 : h / 768; printf "%d %d\n", x + 435 * s, y + 317 * s }')
poll 50 shows_track_at "$tx" "$ty" || fail "a click on the start button at $px,$py did not start a race"
echo "a click on the start button at $px,$py started a race"

xdotool key Escape
sleep 0.5
xdotool key Escape
poll 50 eval '! kill -0 $game_pid 2>/dev/null' || fail "Escape on the title did not end the game"
ended_well $game_pid
echo "passed: $drawer drawer, F11 and Alt+Enter on a $screen screen"
