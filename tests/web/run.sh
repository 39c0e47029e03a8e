#!/usr/bin/env bash
# The browser test: builds the bundle (scripts/web.sh, which installs what it needs), captures the
# desktop game's screens on the current X display, and plays the bundle in headless Chromium.
# Usage: tests/web/run.sh <desktop game executable>
set -euo pipefail
game=$(realpath "$1")
cd "$(dirname "$0")/../.."
scripts/web.sh --build

# puppeteer-core drives Debian's Chromium; it must never fetch a browser of its own.
export PUPPETEER_SKIP_DOWNLOAD=1
if [ ! -f tests/web/node_modules/.package-lock.json ] ||
    [ tests/web/package-lock.json -nt tests/web/node_modules/.package-lock.json ]; then
    (cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
fi

screens=$(mktemp -d)
trap 'rm -rf "$screens"' EXIT
tests/web/desktop_screens.sh "$game" "$screens"
node tests/web/page_test.mjs build-web "$screens"
