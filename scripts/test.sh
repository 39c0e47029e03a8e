#!/usr/bin/env bash
# Installs what is missing, builds Brickwrath with its tests and runs every one of them; the
# tests that need a display run under a private Xvfb server. Then the same suite again in a build
# with AddressSanitizer and UndefinedBehaviorSanitizer, the sound tests in a build with
# ThreadSanitizer: the sound tests only, so only the programs they run are built.
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRICKWRATH_TESTS=ON -DBRICKWRATH_BENCH=OFF \
    -DBRICKWRATH_SANITIZE=thread >/dev/null
targets=$(cmake --build build-tsan --target help | sed -n 's/^\.\.\. \([a-z_]*\).*/\1/p')
sound_tests=$(ctest --test-dir build-tsan -N -L 'sound|stress' | sed -n 's/^ *Test *#[0-9]*: //p')
wanted=$(comm -12 <(tr ' ' '\n' <<<"$sound_tests" | sort) <(sort <<<"$targets"))
cmake --build build-tsan -j"$(nproc)" --target brickwrath brickwrath_sounds brickwrath_test_sounds $wanted
in_xvfb ctest --test-dir build-tsan --output-on-failure -j2 -L 'sound|stress' "$@"
