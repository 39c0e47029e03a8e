# Builds what the Windows build links that MinGW does not bring: SDL 1.2, from Debian's libsdl1.2
# source package, cross-compiled into a prefix under ~/.cache/brickwrath/windows-x64/ (SDL.dll, its
# import library and SDLmain). libogg and libvorbis are compiled by the game's own CMake from their
# source packages, as in the browser. Sourced by windows.sh; does nothing once the prefix is there.

WINDOWS_HOST=x86_64-w64-mingw32
WINDOWS_PREFIX=${BRICKWRATH_CACHE:-$HOME/.cache/brickwrath}/windows-x64/prefix

build_windows_deps() {
    fetch_debian_sources libogg libvorbis libsdl1.2
    [ -f "$WINDOWS_PREFIX/bin/SDL.dll" ] && return 0
    local source work
    source=$(cached_source libsdl1.2)
    work=$(mktemp -d)
    echo "Building SDL 1.2 for Windows from $source (a few minutes, once)"
    # Out of the source folder, so the cached sources stay as unpacked. stdout and stderr are not
    # sent to files beside the program: the game's --help and its lines go to the terminal.
    (cd "$work" && "$source/configure" --host=$WINDOWS_HOST --prefix="$WINDOWS_PREFIX" \
        --disable-stdio-redirect --disable-static --enable-shared \
        CFLAGS="-O2 -w" LDFLAGS="-static-libgcc" >configure.log 2>&1 &&
        nice -n 10 make -j2 >make.log 2>&1 && make install >install.log 2>&1) || {
        tail -n 30 "$work"/*.log
        rm -rf "$work"
        return 1
    }
    rm -rf "$work"
}
