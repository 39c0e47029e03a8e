#!/usr/bin/env bash
# Cross-builds Brickwrath for 64-bit Windows on this Debian machine and leaves
# dist/brickwrath-<version>-windows-x64.zip: brickwrath.exe, SDL.dll, the sounds in
# Contents\Resources\sounds beside the program, the licences and a README.txt. Installs what is
# missing first (MinGW-w64, Wine for the test) and builds SDL 1.2 once into ~/.cache/brickwrath/.
# The build's own files are in build-windows/.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
source scripts/debian-sources.sh
source scripts/windows-deps.sh

install_missing $WINDOWS_PACKAGES
build_windows_deps

cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/MinGW-x64.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DBRICKWRATH_WERROR=ON -DBRICKWRATH_WINDOWS_PREFIX="$WINDOWS_PREFIX" \
    -DBRICKWRATH_OGG_SOURCE_DIR="$(cached_source libogg)" \
    -DBRICKWRATH_VORBIS_SOURCE_DIR="$(cached_source libvorbis)" >/dev/null
nice -n 10 cmake --build build-windows -j2

version=$(sed -n 's/^project(Brickwrath VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name=brickwrath-$version-windows-x64
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/$name"
cp build-windows/brickwrath.exe "$WINDOWS_PREFIX/bin/SDL.dll" LICENSE "$stage/$name/"
cp -r build-windows/Contents LICENSES "$stage/$name/"
# The symbols stay in build-windows/brickwrath.exe; the player's copy goes without them.
x86_64-w64-mingw32-strip "$stage/$name/brickwrath.exe" "$stage/$name/SDL.dll"
# Windows' own editors want CRLF line ends.
sed 's/$/\r/' data/windows/README.txt >"$stage/$name/README.txt"
mkdir -p dist
rm -f "dist/$name.zip"
(cd "$stage" && zip -qr -9 "$OLDPWD/dist/$name.zip" "$name")
echo "dist/$name.zip"
