#!/usr/bin/env bash
# The rooms of src/ include only what HACKING.md's table allows (tools/check_rooms.py), and the
# check itself sees a platform file that reaches into the game, and a widget that reaches past the
# drawer's interface.
set -euo pipefail
root=$1
python3 "$root/tools/check_rooms.py" "$root/src"

broken=$(mktemp -d)
trap 'rm -rf "$broken"' EXIT
mkdir -p "$broken/platform/desktop" "$broken/gui"
printf '#include "platform/Thread.h"\n#include "game/screens/GamePlay.h"\n' >"$broken/platform/desktop/Loop.cpp"
printf '#include "draw/Drawer.h"\n#include "draw/ImageSlot.h"\n' >"$broken/gui/Icon.h"
if report=$(python3 "$root/tools/check_rooms.py" "$broken"); then
    echo "a platform file including the game passed the check"
    exit 1
fi
grep -q "platform/ may not include game/screens/GamePlay.h" <<<"$report"
grep -q "gui/ may not include draw/ImageSlot.h" <<<"$report"
[ "$(wc -l <<<"$report")" -eq 2 ] || { echo "unexpected lines: $report"; exit 1; }
