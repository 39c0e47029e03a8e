#!/usr/bin/python3
# Sums callgrind_annotate's self counts by object file and prints them per frame, the game's own
# code (the benchmark's executable, which holds the game's library) first.
import re
import sys

frames = max(int(sys.argv[1]), 1)
program = sys.argv[2]
groups = {}
line_pattern = re.compile(r"^\s*([\d,]+)\s+\([^)]*\)\s+(.*?)\s*(?:\[(.*)\])?$")
for line in sys.stdin:
    match = line_pattern.match(line)
    if not match or ":" not in match.group(2):
        continue
    count = int(match.group(1).replace(",", ""))
    # callgrind_annotate leaves the object off some lines of inlined code; ours carry our paths.
    obj = match.group(3) or (program if "/bench/" in match.group(2) or "/src/" in match.group(2) else "?")
    name = obj.rsplit("/", 1)[-1]
    if obj == program or name == program.rsplit("/", 1)[-1]:
        group = "game and drawer code (ours)"
    elif re.match(r"lib(LLVM|gallium)|swrast|libGL|libglapi|libGLX|libGLdispatch|libGLU|libdrm|libxcb|libX", name):
        group = "GL and the driver, X"
    elif name.startswith("libSDL"):
        group = "SDL"
    elif re.match(r"lib(c|m|stdc\+\+|gcc_s)\.so|ld-linux", name):
        group = "C and C++ runtime"
    elif name == "???":
        # Code callgrind finds in no object file: under OpenGL, the shaders llvmpipe compiles.
        group = "code in no object file"
    else:
        group = "other: " + name
    groups[group] = groups.get(group, 0) + count
total = sum(groups.values())
for group, count in sorted(groups.items(), key=lambda item: -item[1]):
    print("  %14.0f instructions per frame  %5.1f %%  %s" % (count / frames, 100.0 * count / max(total, 1), group))
