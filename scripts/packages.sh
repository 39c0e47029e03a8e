# Debian 12 packages Brickwrath needs, and a quick installer that only calls apt-get when
# something is missing. Sourced by play.sh and test.sh.

BUILD_PACKAGES="g++ make cmake pkg-config libsdl1.2-compat-dev libsdl-image1.2-dev libgl-dev libglu1-mesa-dev
    libgl1-mesa-dri libvorbis-dev portaudio19-dev libasound2-dev"
TEST_PACKAGES="libgtest-dev xvfb xauth python3 vorbis-tools desktop-file-utils appstream xdotool valgrind
    clang libclang-rt-dev"

install_missing() {
    local missing=()
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

configure_and_build() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$dir" -j"$(nproc)"
}
