# Sourced by the installation tests: what every installed copy of the game must do.

sounds=(biffo boing die explosion footstep1 footstep2 ghost jump trip WallGrinding music)

fail() {
    echo "FAIL: $*"
    exit 1
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
