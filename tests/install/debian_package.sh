#!/usr/bin/env bash
# Builds the Debian package from a clone of the committed source (as scripts/package.sh does, but
# without tests or lintian), unpacks it into a temporary root with dpkg-deb -x, so that nothing is
# installed on the system, checks its file list and version, and runs the unpacked game.
# Exit status 77 means the package cannot be built here and was skipped.
set -euo pipefail
source=$1
source "$(dirname "$0")/run_installed.sh"
if ! command -v dh >/dev/null || ! git -C "$source" rev-parse --git-dir >/dev/null 2>&1; then
    echo "SKIPPED: needs debhelper and a git clone (scripts/test.sh installs the packaging tools)"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

git clone -q "$source" "$work/brickwrath"
start=$SECONDS
(cd "$work/brickwrath" && DEB_BUILD_OPTIONS="nocheck parallel=2" DEB_BUILD_PROFILES=nocheck \
    dpkg-buildpackage -us -uc -b) >"$work/build.log" 2>&1 || { tail -n 40 "$work/build.log"; fail "dpkg-buildpackage"; }
echo "package built in $((SECONDS - start)) s"

version=$(dpkg-parsechangelog -l "$work/brickwrath/debian/changelog" -S Version)
arch=$(dpkg --print-architecture)
deb=$work/brickwrath_${version}_${arch}.deb
[ -f "$deb" ] || fail "no $(basename "$deb")"
[ -f "$work/brickwrath-dbgsym_${version}_${arch}.deb" ] || fail "no debug symbols package"
root=$work/root
dpkg-deb -x "$deb" "$root"

# Every file, and nothing more: no tests, benchmarks or fuzzers.
folder=/usr/share/games/brickwrath/Contents/Resources/sounds
expect_files "$root" /usr/games/brickwrath "$folder" /usr/share/man/man6/brickwrath.6.gz \
    /usr/share/doc/brickwrath/{NEWS.md.gz,changelog.gz,copyright}

# One version: the project's, the package's, the metainfo's release and the man page's.
project=$(sed -n 's/^project(Brickwrath VERSION \([0-9.]*\).*/\1/p' "$source/CMakeLists.txt")
[ "$version" = "$project" ] || fail "package version $version, project version $project"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/io.github.brickwrath.Brickwrath.metainfo.xml" ||
    fail "the metainfo has no release $version"
zcat "$root/usr/share/man/man6/brickwrath.6.gz" | grep -q "^\.TH .*\"Brickwrath $version\"" ||
    fail "the man page is not for version $version"
grep -qx "Exec=/usr/games/brickwrath" "$root/usr/share/applications/brickwrath.desktop" ||
    fail "the desktop entry does not start /usr/games/brickwrath"
grep -q "$folder" <(zcat "$root/usr/share/man/man6/brickwrath.6.gz") || fail "the man page names another sounds folder"

run_installed "$root/usr/games/brickwrath" "$root$folder"
