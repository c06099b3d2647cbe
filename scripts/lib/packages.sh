# shellcheck shell=bash
# Installing the Debian packages a command needs. Source this file from a bash script, then:
#
#     install_missing_packages PACKAGE...
#
# installs those of the packages that are not installed yet (with sudo unless run as root),
# saying which; it does nothing, quickly, when all of them are there.

install_missing_packages() {
    local missing=() package
    for package in "$@"; do
        [ "$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null)" = installed ] ||
            missing+=("$package")
    done
    if [ ${#missing[@]} -eq 0 ]; then
        echo "all needed packages are installed"
        return 0
    fi
    local as_root=()
    [ "$(id -u)" -eq 0 ] || as_root=(sudo)
    echo "installing: ${missing[*]}"
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq &&
        "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
            apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
