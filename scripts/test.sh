#!/usr/bin/env bash
# Installs what is missing, builds Brickwrath with its tests and runs every one of them; the
# tests that need a display run under a private Xvfb server.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
install_missing $BUILD_PACKAGES $TEST_PACKAGES
configure_and_build build-tests -DBRICKWRATH_TESTS=ON
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir build-tests --output-on-failure -j2 "$@"
