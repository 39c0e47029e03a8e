# Fetches Debian's source packages that the browser and Windows builds compile with their own
# compilers (libogg and libvorbis for both, SDL 1.2 for Windows) into a cache outside the clone.
# The machine's apt configuration has no source lines and is left alone: a private source list
# names the mirror apt already uses, with lists of its own. Sourced by web.sh and windows-deps.sh;
# prints nothing when the cache is already there.

DEBIAN_SOURCE_CACHE=${BRICKWRATH_CACHE:-$HOME/.cache/brickwrath}/debian-src

# The first Debian mirror and release named in the machine's own sources (deb822 or one-line).
debian_mirror() {
    local uri suite
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        uri=$(awk '/^URIs:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources)
        suite=$(awk '/^Suites:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources)
    fi
    if [ -z "${uri:-}" ] && [ -f /etc/apt/sources.list ]; then
        read -r uri suite < <(awk '$1 == "deb" && $2 !~ /^\[/ {print $2, $3; exit}' /etc/apt/sources.list)
    fi
    echo "${uri:-http://deb.debian.org/debian} ${suite:-bookworm}"
}

# The unpacked source folder of a package in the cache, or nothing.
cached_source() {
    find "$DEBIAN_SOURCE_CACHE" -maxdepth 1 -mindepth 1 -type d -name "$1-[0-9]*" 2>/dev/null | sort | tail -n 1
}

# fetch_debian_sources <source package>...: unpacks those not in the cache yet, Debian's patches applied.
fetch_debian_sources() {
    local missing=()
    for package in "$@"; do
        [ -n "$(cached_source "$package")" ] || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local uri suite
    read -r uri suite < <(debian_mirror)
    mkdir -p "$DEBIAN_SOURCE_CACHE/apt/lists/partial" "$DEBIAN_SOURCE_CACHE/apt/cache/archives/partial"
    echo "deb-src $uri $suite main" >"$DEBIAN_SOURCE_CACHE/apt/sources.list"
    # The lists and apt's own caches are private too, so the machine's stay as they were.
    local options=(-o "Dir::Etc::SourceList=$DEBIAN_SOURCE_CACHE/apt/sources.list" -o Dir::Etc::SourceParts=/dev/null
        -o "Dir::State::Lists=$DEBIAN_SOURCE_CACHE/apt/lists" -o "Dir::Cache=$DEBIAN_SOURCE_CACHE/apt/cache"
        -o APT::Sandbox::User=root)
    echo "Fetching Debian's sources of: ${missing[*]}"
    apt-get "${options[@]}" update -qq
    (cd "$DEBIAN_SOURCE_CACHE" && apt-get "${options[@]}" source -qq "${missing[@]}")
}
