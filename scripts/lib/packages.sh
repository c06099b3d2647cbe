# shellcheck shell=bash
# The Debian packages of every command here, in one list: a machine set up by one command is
# set up for all of them, and its Wine prefixes are all made alike. Source this file from a bash
# script, then:
#
#     install_packages
#
# installs those of them that are not installed yet (with sudo unless run as root), saying
# which, after adding dpkg's i386 architecture for wine32; it does nothing, quickly, when all of
# them are there. Where the kernel runs no i386 code, scripts/lib/wine32.sh makes wine32 run.

QUILLOW_PACKAGES=(
    cmake make g++ libgtest-dev googletest  # the host build and its unit tests
    g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32  # the Windows builds (with googletest)
    strip-nondeterminism git  # the release archive's entries, and its date in a checkout
    wine wine64 wine32:i386 xvfb x11-utils  # running them: Wine on a virtual display
    fonts-liberation fonts-wine  # Arial's metrics; Marlett, the window frames' button symbols
    imagemagick xdotool  # the demo's and the screenshots' pictures, the mouse on a tooltip
)

install_packages() {
    local missing=() package as_root=()
    for package in "${QUILLOW_PACKAGES[@]}"; do
        [ "$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null)" = installed ] ||
            missing+=("$package")
    done
    if [ ${#missing[@]} -eq 0 ]; then
        echo "all needed packages are installed"
        return 0
    fi
    [ "$(id -u)" -eq 0 ] || as_root=(sudo)
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        "${as_root[@]}" dpkg --add-architecture i386 || return 1
    fi
    echo "installing: ${missing[*]}"
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq &&
        "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
            apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
