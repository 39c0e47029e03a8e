#!/usr/bin/env bash
# Installs what is missing, builds Brickwrath and starts it. Extra arguments go to the game
# (try --help).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
install_missing $BUILD_PACKAGES
configure_and_build build -DBRICKWRATH_TESTS=OFF -DBRICKWRATH_BENCH=OFF
exec build/brickwrath "$@"
