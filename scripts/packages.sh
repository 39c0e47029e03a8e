# Debian 12 packages Brickwrath needs, and a quick installer that only calls apt-get when
# something is missing. Sourced by play.sh, test.sh and package.sh.

# SDL loads libEGL at run time even for a GLX window, and a minimal system lacks it.
BUILD_PACKAGES="g++ make cmake pkg-config libsdl1.2-compat-dev libsdl-image1.2-dev libgl-dev libglu1-mesa-dev
    libgl1-mesa-dri libegl1 libvorbis-dev portaudio19-dev libasound2-dev"
# Each group is installed by the stage that uses it.
# valgrind for its headers too: the game-loop benchmark, built with the tests, marks its frames for
# callgrind.
# pulseaudio, its tools and ALSA's pulse plug-in: a sound server the sound server test starts itself.
TEST_PACKAGES="libgtest-dev xvfb xauth python3 python3-pil vorbis-tools desktop-file-utils appstream xdotool
    valgrind openbox imagemagick pulseaudio pulseaudio-utils libasound2-plugins
    pipewire pipewire-pulse wireplumber dbus"
FUZZ_PACKAGES="clang libclang-rt-dev"
PACKAGING_PACKAGES="git dpkg-dev debhelper"
# The browser build (scripts/web.sh): Emscripten, stb_image, what fetching and unpacking Debian's
# source packages takes, and for its test Chromium and ImageMagick (the desktop's screens).
WEB_PACKAGES="emscripten libstb-dev cmake make g++ python3 dpkg-dev xz-utils chromium imagemagick"

# The Windows build (scripts/windows.sh): MinGW-w64's cross compiler with POSIX threads and its
# tools (objdump for the DLLs a program imports), zip, what fetching Debian's source packages takes,
# stb_image; and for its test Wine under Xvfb, xdotool and ImageMagick (the Linux game's screens),
# PIL to compare them, and ALSA's utilities beside the recording Wine plays into.
WINDOWS_PACKAGES="g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 cmake make g++ python3 dpkg-dev xz-utils
    libstb-dev zip unzip wine wine64 xvfb xauth xdotool imagemagick python3-pil"

install_missing() {
    local missing=()
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null; then
            echo "No sudo here: as root, run  apt-get install ${missing[*]}  and then this script again."
            exit 1
        fi
        sudo="sudo"
    fi
    echo "Installing: ${missing[*]}"
    # Waits for another install on the same machine rather than failing on its lock.
    $sudo apt-get -o DPkg::Lock::Timeout=600 update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}"
}

configure_and_build() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$dir" -j"$(nproc)"
}
