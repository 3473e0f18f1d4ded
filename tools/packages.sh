# Sourced by ./run and ./test: installs the Debian packages the build needs.
#
# need_packages PKG...  installs the missing ones with apt-get when running as
# root; otherwise prints the exact command to run and exits.
need_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Some packages are missing. Install them with:" >&2
        echo "  sudo apt-get install -y ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get install -y "${missing[@]}" || { apt-get update && apt-get install -y "${missing[@]}"; }
}

BUILD_PACKAGES=(cmake make g++ pkg-config libsdl2-dev libgl-dev libgl1-mesa-dri)
TEST_PACKAGES=(libgtest-dev libstb-dev libxfixes-dev xvfb xauth xdotool x11-apps x11-utils x11-xserver-utils imagemagick openbox clang-format desktop-file-utils appstream man-db dpkg-dev file netcat-openbsd xserver-xorg-core xserver-xorg-video-dummy)
