#!/bin/bash
# Instructions per frame in the game's own code against SDL, GL, the driver and the C/C++
# runtime, counted by callgrind over a window of frames of the real event loop (game_loop_bench
# switches collection on after the pictures have loaded), per drawer, title screen and race.
#   bench/own_share.sh [build folder]    (needs valgrind and xvfb-run)
# Mesa's rasteriser makes an OpenGL frame take seconds under callgrind, so that drawer's race is
# counted over its first OPENGL_RACE_FRAMES frames (200 unless set) and drawn on one thread.
set -euo pipefail
build=${1:-build}
bench=$(realpath "$build/bench/game_loop_bench")
out=$(mktemp -d)
echo "cores: $(nproc)"
for drawer in ${DRAWERS:-software opengl}; do
    flags=(-w 1024 -h 768 -ns)
    race=race
    if [ "$drawer" = software ]; then
        flags+=(-s)
    else
        race="race --race-frames ${OPENGL_RACE_FRAMES:-200}"
    fi
    for screen in "title 30" "$race"; do
        name="$drawer-${screen%% *}"
        log="$out/$name.log"
        # shellcheck disable=SC2086
        (cd "$(dirname "$bench")" && LP_NUM_THREADS=0 xvfb-run -a -n $((300 + RANDOM % 300)) -s "-screen 0 1024x768x24" valgrind --tool=callgrind \
            --collect-atstart=no --callgrind-out-file="$out/$name.out" "$bench" $screen --unpaced "${flags[@]}" \
            >"$log" 2>&1)
        frames=$(sed -n 's/^frames in the callgrind window: //p' "$log")
        echo "== $name: $frames frames"
        callgrind_annotate --inclusive=no --auto=no --threshold=100 "$out/$name.out" 2>/dev/null |
            /usr/bin/python3 "$(dirname "$0")/by_object.py" "$frames" "$bench"
    done
done
