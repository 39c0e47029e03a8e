#!/usr/bin/env bash
# Installs what is missing, builds Brickwrath with its tests and runs every one of them; the tests
# that need a display run under a private Xvfb server, the sound tests through a test-owned ALSA
# device. Then the same suite in an AddressSanitizer + UndefinedBehaviorSanitizer build with a
# short monkey run, the sound and thread stress tests in a ThreadSanitizer build, and the fuzzers
# over their seed corpora for a few seconds each. With --quick only the first, plain run; with
# --fresh the README's commands on a freshly made minimal Debian 12 (scripts/fresh.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
[ "${1:-}" = "--fresh" ] && exec scripts/fresh.sh
source scripts/packages.sh
install_missing $BUILD_PACKAGES $TEST_PACKAGES

in_xvfb() { xvfb-run -a -s "-screen 0 1280x1024x24" "$@"; }
stage() { echo; echo "=== $* ($(date +%T))"; }
long_labels='soak|valgrind|monkey|stress'

stage "plain build"
configure_and_build build-tests -DBRICKWRATH_TESTS=ON
in_xvfb ctest --test-dir build-tests --output-on-failure -j2 -LE "$long_labels"

[ "${1:-}" = "--quick" ] && exit 0

stage "AddressSanitizer + UndefinedBehaviorSanitizer"
configure_and_build build-asan -DBRICKWRATH_TESTS=ON -DBRICKWRATH_BENCH=OFF -DBRICKWRATH_SANITIZE="address;undefined"
in_xvfb ctest --test-dir build-asan --output-on-failure -j2 -LE "$long_labels"
tools/monkey.sh build-asan/brickwrath 20

stage "ThreadSanitizer: sound and thread stress"
# Only the programs behind the sound and stress tests are built with the thread sanitizer.
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRICKWRATH_TESTS=ON -DBRICKWRATH_BENCH=OFF \
    -DBRICKWRATH_SANITIZE=thread >/dev/null
targets=$(cmake --build build-tsan --target help | sed -n 's/^\.\.\. \([a-z_]*\).*/\1/p')
sound_tests=$(ctest --test-dir build-tsan -N -L 'sound|stress' | sed -n 's/^ *Test *#[0-9]*: //p')
wanted=$(comm -12 <(tr ' ' '\n' <<<"$sound_tests" | sort) <(sort <<<"$targets"))
cmake --build build-tsan -j"$(nproc)" --target brickwrath brickwrath_sounds brickwrath_test_sounds $wanted
in_xvfb ctest --test-dir build-tsan --output-on-failure -j2 -L 'sound|stress'

stage "fuzzers: the seed corpora, then a short run each"
install_missing $FUZZ_PACKAGES
CC=clang CXX=clang++ configure_and_build build-fuzz -DBRICKWRATH_FUZZ=ON -DBRICKWRATH_TESTS=OFF -DBRICKWRATH_BENCH=OFF \
    -DBRICKWRATH_SANITIZE="address;undefined"
ctest --test-dir build-fuzz --output-on-failure -j2 -L fuzz
