#!/usr/bin/env python3
"""Checks that every file under src/ includes only what its room may include (HACKING.md's table
of rooms): the game's own headers are written from src/, so the first folder of an include names
the room it comes from. Prints each include that breaks the table and exits 1 if there is one."""
import pathlib
import re
import sys

# What each room may include besides itself. A room's folders below it (draw/opengl/) are the room.
ALLOWED = {
    "app": {"app", "game", "draw", "gui", "sound", "platform"},
    "game": {"game", "draw", "sound"},
    "gui": {"gui", "draw/Drawer.h"},
    "draw": {"draw", "platform"},
    "sound": {"sound", "platform"},
    "platform": {"platform"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def allowed(room, header):
    return any(header == rule or header.startswith(rule + "/") for rule in ALLOWED[room])


def broken_includes(source_root):
    for path in sorted(source_root.rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        room = path.relative_to(source_root).parts[0]
        if room not in ALLOWED:
            yield f"{path}: a file outside the rooms"
            continue
        for header in INCLUDE.findall(path.read_text(encoding="utf-8")):
            # Includes without a folder are generated files beside the build (the embedded assets).
            if "/" in header and not allowed(room, header):
                yield f"{path}: {room}/ may not include {header}"


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "src")
    problems = list(broken_includes(root))
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
