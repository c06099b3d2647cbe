# shellcheck shell=bash
# Installing the Debian packages a command needs. Source this file from a bash script, then:
#
#     install_missing_packages PACKAGE...
#
# installs those of the packages that are not installed yet (with sudo unless run as root),
# saying which; it does nothing, quickly, when all of them are there. A package of another
# architecture is named with it, as in wine32:i386; that architecture is added to dpkg's first
# when it is not there yet, before the package lists are updated.

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
    local as_root=() arch
    [ "$(id -u)" -eq 0 ] || as_root=(sudo)
    for arch in $(packages__foreign_architectures "${missing[@]}"); do
        echo "adding the package architecture $arch"
        "${as_root[@]}" dpkg --add-architecture "$arch" || return 1
    done
    echo "installing: ${missing[*]}"
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq &&
        "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
            apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# The architectures named by the packages given (name:arch) that dpkg does not have yet, once
# each.
packages__foreign_architectures() {
    local known package arch
    known=" $(dpkg --print-architecture) $(dpkg --print-foreign-architectures | tr '\n' ' ') "
    for package in "$@"; do
        [[ $package == *:* ]] || continue
        arch=${package##*:}
        [[ $known == *" $arch "* ]] && continue
        echo "$arch"
        known+="$arch "
    done
}
