# Sourced by the tests that start the real game. It has the game say when its first frame is
# shown, and wait_for <file> <pattern> <pid> [count] polls until `count` lines (1 by default) of
# the file match: false if the game ends first or nothing comes. Polled a bounded number of times
# rather than against the clock, so a host that stalls for a while does not count as a game that
# never got going.
export BRICKWRATH_REPORT_FIRST_FRAME=1
first_frame='^first frame shown at '
wait_for() {
    local tries found
    for ((tries = 0; tries <= 900; tries++)); do
        found=$(grep -c -- "$2" "$1" 2>/dev/null)
        [ "${found:-0}" -ge "${4:-1}" ] && return 0
        [ $tries -gt 0 ] && ! kill -0 "$3" 2>/dev/null && return 1
        sleep 0.1
    done
    return 1
}
