# Sourced by the installation tests: what every installed copy of the game must do.

sounds=(biffo boing die explosion footstep1 footstep2 ghost jump trip WallGrinding music)

fail() {
    echo "FAIL: $*"
    exit 1
}

# Fails unless the files under the root $1 are exactly the program $2, the sounds in the folder $3,
# the man page $4, the desktop entry, the metainfo, the icons and any further paths given.
expect_files() {
    local root=$1 program=$2 folder=$3 man=$4 size sound
    shift 4
    diff -u <({
        printf '%s\n' "$program" "$man" "$@" /usr/share/applications/brickwrath.desktop \
            /usr/share/metainfo/io.github.brickwrath.Brickwrath.metainfo.xml /usr/share/icons/hicolor/scalable/apps/brickwrath.svg
        for size in 16 22 24 32 48 64 128 256; do echo "/usr/share/icons/hicolor/${size}x${size}/apps/brickwrath.png"; done
        for sound in "${sounds[@]}"; do echo "$folder/$sound.ogg"; done
    } | sort) <(cd "$root" && find . ! -type d | sed 's/^\.//' | sort) || fail "the installed files differ from the list"
}

# --help, then the title screen under Xvfb until every sound has been loaded from the given
# folder, and status 0 after SIGTERM.
run_installed() {
    local program=$1 folder=$2 home out help loaded
    home=$(mktemp -d)
    out=$home/out.txt
    help=$(HOME=$home "$program" --help) || fail "--help did not end with status 0"
    grep -q "Display this help" <<<"$help" || fail "--help printed no usage"
    HOME=$home xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
        source "$2"
        "$0" -w 800 -h 600 >"$1" 2>&1 &
        pid=$!
        wait_for "$1" "$first_frame" $pid && wait_for "$1" "^vorbisfile: Loaded file: " $pid "$3"
        kill -TERM $pid
        wait $pid
    ' "$program" "$out" "$(dirname "${BASH_SOURCE[0]}")/../wait_for.sh" ${#sounds[@]} ||
        fail "the installed game did not end with status 0"
    loaded=$(grep -c "^vorbisfile: Loaded file: $folder/" "$out" || true)
    [ "$loaded" -eq ${#sounds[@]} ] || { cat "$out"; fail "$loaded of ${#sounds[@]} sound files loaded from $folder"; }
    rm -rf "$home"
    echo "$program: ${#sounds[@]} sounds loaded from $folder"
}
