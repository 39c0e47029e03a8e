#!/usr/bin/env bash
# Installs what is missing, builds Brickwrath with its tests and runs every one of them; the tests
# that need a display run under a private Xvfb server, the sound tests through a test-owned ALSA
# device. Then the Debian package, built from a clone and run unpacked (ctest -L package), the
# browser build in headless Chromium, the Windows build under Wine (ctest -L windows), the
# same suite in an AddressSanitizer + UndefinedBehaviorSanitizer build with a short monkey run,
# the sound and thread stress tests in a ThreadSanitizer build, and the fuzzers over their seed
# corpora for a few seconds each. Each stage installs what it needs. With --quick only the first,
# plain run; with --fresh the README's commands on a new minimal Debian 12 (scripts/fresh.sh).
# Each stage names the ctest labels it runs and builds only their targets (tests_<label>).
set -euo pipefail
cd "$(dirname "$0")/.."
[ "${1:-}" = "--fresh" ] && exec scripts/fresh.sh
source scripts/packages.sh
install_missing $BUILD_PACKAGES $TEST_PACKAGES

stage() { echo; echo "=== $* ($(date +%T))"; }
configure() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
}
# run_labels <build folder> <label>...: builds what the tests with those labels run, then runs them.
run_labels() {
    local dir=$1
    shift
    cmake --build "$dir" -j"$(nproc)" --target "${@/#/tests_}"
    local IFS='|'
    xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir "$dir" --output-on-failure -j2 -L "^($*)\$"
}
everyday_labels="unit display sound install fullscreen"

stage "plain build"
# The whole build, benchmarks included, so that they are compiled on every run too.
configure_and_build build-tests -DBRICKWRATH_TESTS=ON
run_labels build-tests $everyday_labels
# The game heard through a real sound server, which plays in real time: the plain build's alone.
run_labels build-tests server

[ "${1:-}" = "--quick" ] && exit 0

stage "Debian package: built from a clone, unpacked and run"
install_missing $PACKAGING_PACKAGES
run_labels build-tests package

stage "the browser build in headless Chromium"
run_labels build-tests web

stage "the Windows build under Wine"
install_missing $WINDOWS_PACKAGES
run_labels build-tests windows

stage "AddressSanitizer + UndefinedBehaviorSanitizer, with a short monkey run"
configure build-asan -DBRICKWRATH_TESTS=ON -DBRICKWRATH_BENCH=OFF -DBRICKWRATH_SANITIZE="address;undefined"
BRICKWRATH_MONKEY_SECONDS=20 run_labels build-asan $everyday_labels monkey

stage "ThreadSanitizer: sound and thread stress"
configure build-tsan -DBRICKWRATH_TESTS=ON -DBRICKWRATH_BENCH=OFF -DBRICKWRATH_SANITIZE=thread
run_labels build-tsan sound stress

stage "fuzzers: the seed corpora, then a short run each"
install_missing $FUZZ_PACKAGES
CC=clang CXX=clang++ configure build-fuzz -DBRICKWRATH_FUZZ=ON -DBRICKWRATH_TESTS=OFF -DBRICKWRATH_BENCH=OFF \
    -DBRICKWRATH_SANITIZE="address;undefined"
run_labels build-fuzz fuzz
