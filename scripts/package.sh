#!/usr/bin/env bash
# Builds the Debian package the Debian way, from a clean clone of the committed source in a
# temporary folder, checks it with lintian and leaves the .deb in dist/.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
# The build's packages, and what its unit tests need (debian/control names the same).
install_missing $PACKAGING_PACKAGES fakeroot lintian $BUILD_PACKAGES libgtest-dev python3 python3-pil
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

git clone -q . "$work/brickwrath"
(cd "$work/brickwrath" && DEB_BUILD_OPTIONS="parallel=$(nproc)" dpkg-buildpackage -us -uc -b)
lintian --fail-on error,warning --display-info "$work"/brickwrath_*.changes
deb=$(cd "$work" && echo brickwrath_*.deb)
mkdir -p dist
cp "$work/$deb" dist/
echo "dist/$deb is ready: apt install ./dist/$deb"
