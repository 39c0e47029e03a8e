#!/usr/bin/env bash
# The real game started with -f as a player starts it, on an X server of its own with a window
# manager (openbox), driven with xdotool and read from screenshots: the picture is letterboxed and
# centred, the game's cursor is drawn where the pointer is, a click where the start button is seen
# starts a race, and Escape twice ends the game with status 0.
# Usage: fullscreen.sh <opengl|software> <game> [screen WxH] [mode WxH, OpenGL only]
# Exit status 77: no window manager could be started here (a failure under CI=true).
set -u
drawer=$1
game=$(realpath "$2")
screen=${3:-1280x800}
mode=${4:-800x600}
args=(-f -ns -w "${mode%x*}" -h "${mode#*x}")
if [ "$drawer" = software ]; then
    args=(-f -ns -s)
    mode=1024x768 # the software drawer's only size
fi
source "$(dirname "$0")/x_server.sh"
start_x_server "$screen" openbox

# Where the 1024 by 768 picture is on the screen: the mode fitted into the screen, the picture's
# 4:3 fitted into the mode, both centred.
read -r left top width height < <(awk -v sw="${screen%x*}" -v sh="${screen#*x}" -v mw="${mode%x*}" \
    -v mh="${mode#*x}" 'function min(a, b) { return a < b ? a : b }
    BEGIN { s = min(sw / mw, sh / mh) * min(mw / 1024, mh / 768); w = 1024 * s; h = 768 * s
            printf "%.2f %.2f %.2f %.2f\n", (sw - w) / 2, (sh - h) / 2, w, h }')
# The screen pixel of a point of the picture.
at() { awk -v x="$1" -v y="$2" -v l="$left" -v t="$top" -v w="$width" -v h="$height" \
    'BEGIN { printf "%d %d\n", l + x * w / 1024, t + y * h / 768 }'; }
# The screen geometry ("WxH+X+Y") of a box of the picture: x, y, width, height.
box() { awk -v x="$1" -v y="$2" -v bw="$3" -v bh="$4" -v l="$left" -v t="$top" -v w="$width" -v h="$height" \
    'BEGIN { printf "%dx%d+%d+%d\n", bw * w / 1024, bh * h / 768, l + x * w / 1024, t + y * h / 768 }'; }
# Pixels that differ between two screenshots within a box of the picture.
differing() {
    convert "$work/$1.png" -crop "$(box "$3" "$4" "$5" "$6")" +repage "$work/box-1.png"
    convert "$work/$2.png" -crop "$(box "$3" "$4" "$5" "$6")" +repage "$work/box-2.png"
    compare -metric AE "$work/box-1.png" "$work/box-2.png" null: 2>&1
}
# Whether a 20 by 20 patch of the picture at (x, y) is mostly red (the track) or green (grass).
redder_by() {
    shot patch
    local difference
    difference=$(convert "$work/patch.png" -crop "$(box "$1" "$2" 20 20)" -format '%[fx:mean.r - mean.g]' info:)
    awk -v d="$difference" -v m="$3" 'BEGIN { exit !(d > m) }'
}
shows_track() { redder_by "$1" "$2" 0.1; }
shows_grass() { ! redder_by "$1" "$2" -0.1; }
# The first and last non-black pixel along a line of the screenshot: "first last".
lit_span() {
    convert "$work/$1.png" -crop "$2" +repage -depth 8 txt:- |
        awk -F'[(),]+' 'NR > 1 && $3 + $4 + $5 > 30 { n = NR - 2; if (first == "") first = n; last = n }
                        END { print first, last }'
}
# Whether two pairs of numbers ("a b") lie within two pixels of each other.
within_two() {
    awk -v a="$1" -v b="$2" 'BEGIN { split(a, p); split(b, q)
        for (i = 1; i <= 2; i++) if (p[i] - q[i] > 2 || q[i] - p[i] > 2) exit 1 }'
}
# Whether the picture stays the same over a third of a second. The title's hint ("escape to
# quit", at the bottom) fades in after a few seconds and is left out.
settled() {
    shot settled-a
    sleep 0.3
    shot settled-b
    [ "$(differing settled-a settled-b 0 0 1024 718)" = 0 ]
}
# Settled, with the cursor drawn at (x, y) of the picture: the box there changed since `first`.
cursor_moved_to() { settled && [ "$(differing first settled-a $(($1 - 15)) $(($2 - 12)) 60 72)" -gt 100 ]; }

mkdir "$work/home"
HOME=$work/home "$game" "${args[@]}" >"$work/out.txt" 2>"$work/err.txt" &
game_pid=$!
pids+=($game_pid)
poll 100 xdotool search --onlyvisible --pid $game_pid --name '^Brickwrath$' >/dev/null 2>&1 || fail "no window"
# The title, drawn and still.
xdotool mousemove $(at 300 300)
poll 150 shows_grass 435 317 || fail "no title screen"
poll 100 settled || fail "the title screen never settled"

# Letterboxed: black bars, the picture centred between them, at three heights and widths.
for f in 0.1 0.5 0.9; do
    read -r x y < <(awk -v f=$f -v l="$left" -v t="$top" -v w="$width" -v h="$height" \
        'BEGIN { printf "%d %d\n", l + f * w, t + f * h }')
    read -r first last < <(lit_span settled-a "${screen%x*}x1+0+$y")
    expected=$(awk -v l="$left" -v w="$width" 'BEGIN { printf "%d %d", l + 0.5, l + w - 0.5 }')
    within_two "$first $last" "$expected" || fail "row $y lit from $first to $last, expected $expected"
    read -r first last < <(lit_span settled-a "1x${screen#*x}+$x+0")
    expected=$(awk -v t="$top" -v h="$height" 'BEGIN { printf "%d %d", t + 0.5, t + h - 0.5 }')
    within_two "$first $last" "$expected" || fail "column $x lit from $first to $last, expected $expected"
done
echo "letterboxed: the picture at $left,$top, $width by $height"

# The game's cursor follows the pointer: moved from (300, 300) to (800, 500) of the picture, it
# leaves the one place and appears at the other, and nothing else changes.
cp "$work/settled-a.png" "$work/first.png"
xdotool mousemove $(at 800 500)
poll 25 cursor_moved_to 800 500 || fail "the cursor is not drawn where the pointer was moved"
old=$(differing first settled-a 285 288 60 72)
new=$(differing first settled-a 785 488 60 72)
total=$(differing first settled-a 0 0 1024 718)
echo "cursor: $old pixels changed where it was, $new where it went, $total in all"
[ "$old" -gt 100 ] && [ "$total" -eq $((old + new)) ] || fail "the cursor is not drawn only where the pointer is"

# A click where the start button is seen starts a race: the placement screen shows the track
# where the title shows grass.
xdotool mousemove $(at 565 635) click 1
poll 50 shows_track 435 317 || fail "the click on the start button did not start a race"
echo "a click on the start button at $(at 565 635) started a race"

# Escape leaves the race for the title, and on the title ends the game.
xdotool key Escape
poll 50 shows_grass 435 317 || fail "Escape did not leave the race"
xdotool key Escape
poll 50 eval '! kill -0 $game_pid 2>/dev/null' || fail "Escape on the title did not end the game"
ended_well $game_pid
echo "passed: $drawer drawer, full screen at $mode on a $screen screen"
