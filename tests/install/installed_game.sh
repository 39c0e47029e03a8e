#!/usr/bin/env bash
# Installs the game into a temporary DESTDIR as a package would, checks what lands where and that
# the desktop entry and metainfo validate, then runs the installed game: --help, and the title
# screen under Xvfb until every sound file has been loaded from the installed data folder.
set -euo pipefail
build=$1
source "$(dirname "$0")/run_installed.sh"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
expect_files "$stage" /usr/bin/brickwrath /usr/share/brickwrath/Contents/Resources/sounds /usr/share/man/man6/brickwrath.6
root=$stage/usr
desktop-file-validate "$root/share/applications/brickwrath.desktop"
appstreamcli validate --no-net --pedantic "$root/share/metainfo/io.github.brickwrath.Brickwrath.metainfo.xml" >/dev/null
grep -q "/share/brickwrath/Contents/Resources/sounds" "$root/share/man/man6/brickwrath.6" || fail "man page names no sounds folder"

run_installed "$root/bin/brickwrath" "$root/share/brickwrath/Contents/Resources/sounds"
