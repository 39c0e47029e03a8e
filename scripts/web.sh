#!/usr/bin/env bash
# Builds Brickwrath for the browser into build-web/ (index.html with the .js, .wasm and .data files
# beside it, which any web host can serve; CMake's own files are in build-web/cmake/) and serves it on http://127.0.0.1:${PORT:-8000}/.
# Installs what is missing first: Debian's Emscripten, Chromium for the tests, stb, and the source
# packages of libogg and libvorbis, kept under ~/.cache/brickwrath/. With --build it only builds.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
source scripts/debian-sources.sh

# nodejs and npm only when their commands are missing: a node from elsewhere may be installed, and
# Debian's npm package conflicts with it.
install_missing $WEB_PACKAGES
command -v node >/dev/null || install_missing nodejs
command -v npm >/dev/null || install_missing npm
fetch_debian_sources libogg libvorbis

# Debian's emcc finds its node modules only through NODE_PATH.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
emcmake cmake -S . -B build-web/cmake -DCMAKE_BUILD_TYPE=Release -DBRICKWRATH_WEB_BUNDLE="$PWD/build-web" \
    -DBRICKWRATH_OGG_SOURCE_DIR="$(cached_source libogg)" \
    -DBRICKWRATH_VORBIS_SOURCE_DIR="$(cached_source libvorbis)" >/dev/null
cmake --build build-web/cmake -j2

[ "${1:-}" = "--build" ] && exit 0
port=${PORT:-8000}
# Python's server types .wasm as application/wasm, as browsers want to compile it while it
# downloads (its own table has it; tests/web/phone_test.mjs checks the header).
echo "Serving build-web/ on http://127.0.0.1:$port/ (Ctrl-C ends it)"
exec python3 -m http.server --bind 127.0.0.1 --directory build-web "$port"
