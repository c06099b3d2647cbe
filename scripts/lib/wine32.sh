# shellcheck shell=bash
# 32-bit Wine on any Debian 12 machine, for the shipped 32-bit programs. Source this file
# from a bash script, then, once packages.sh's install_packages has installed Debian's wine32:
#
#     wine32_prepare     # makes i386 Linux programs run here
#     wine32_describe    # says how they run here: "natively", or "emulated by qemu-i386 10.0.2"
#
# Debian's 32-bit Wine is made of i386 Linux programs. Most kernels run those as they are. Some
# run no 32-bit code at all (built without it, or booted with ia32_emulation off); there an i386
# emulator is registered with binfmt_misc: qemu-user from the release's backports, taken out of
# its package into a cache of our own, so that nothing of the system's apt setup changes. The
# release's own qemu (7.2) will not do: it does not know MAP_FIXED_NOREPLACE, and Wine's loader
# then takes about a minute to start each program instead of a quarter of a second.
#
# Which case holds is found out by trying 32-bit code (i386_native.c), never by starting an i386
# program: a registered emulator makes that work too.

WINE32_LIB=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# The binfmt_misc entry of our emulator, and what it takes: an i386 ELF program or library.
WINE32_BINFMT_NAME=quillow-i386
WINE32_BINFMT_MAGIC='\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
WINE32_BINFMT_MASK='\xff\xff\xff\xff\xff\xfe\xfe\xfc\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
WINE32_BINFMT=/proc/sys/fs/binfmt_misc
# The user's cache, or the checkout's build folder where there is no home.
WINE32_CACHE=${XDG_CACHE_HOME:-${HOME:-$WINE32_LIB/../../build}/.cache}/quillow/i386-emulator
WINE32_NATIVE=""  # yes or no, once tried
WINE32_REGISTERED=""  # set once this shell has registered the emulator

wine32__say() { printf 'wine32: %s\n' "$*" >&2; }

wine32__as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Whether this kernel runs 32-bit x86 code, tried once per shell.
wine32_native() {
    if [ -z "$WINE32_NATIVE" ]; then
        local probe
        probe=$(mktemp)
        WINE32_NATIVE=no
        if cc -O1 -o "$probe" "$WINE32_LIB/i386_native.c" && { "$probe"; } 2>/dev/null; then
            WINE32_NATIVE=yes
        fi
        rm -f "$probe"
    fi
    [ "$WINE32_NATIVE" = yes ]
}

wine32__emulator_registered() {
    grep -qx enabled "$WINE32_BINFMT/$WINE32_BINFMT_NAME" 2>/dev/null
}

# The interpreter of our binfmt_misc entry.
wine32__emulator() {
    sed -n 's/^interpreter //p' "$WINE32_BINFMT/$WINE32_BINFMT_NAME" 2>/dev/null
}

# qemu-i386 from the backports of this Debian release, on the mirror the system already uses,
# with apt's own download and signature checks, into the cache.
wine32__fetch_emulator() {
    local codename mirror apt=$WINE32_CACHE/apt opts deb
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    mirror=$(apt-cache policy | awk -v suite="$codename/main" \
        '$3 == suite && $2 ~ /^https?:/ { print $2; exit }')
    [ -n "$mirror" ] || { wine32__say "found no Debian mirror for $codename in apt's sources"; return 1; }
    mkdir -p "$apt/lists/partial" "$apt/archives/partial"
    echo "deb [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror $codename-backports main" \
        >"$apt/sources.list"
    opts=(-o "Dir::Etc::SourceList=$apt/sources.list" -o Dir::Etc::SourceParts=/dev/null
          -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache::Archives=$apt/archives"
          -o Dir::State::status=/dev/null -o Debug::NoLocking=1 -o APT::Sandbox::User=root)
    wine32__say "fetching qemu-user from $codename-backports for the i386 emulator"
    apt-get "${opts[@]}" -qq update &&
        (cd "$apt" && rm -f qemu-user_*.deb && apt-get "${opts[@]}" -qq download qemu-user) ||
        return 1
    deb=$(echo "$apt"/qemu-user_*.deb)
    dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/bin/qemu-i386 >"$WINE32_CACHE/qemu-i386.new" &&
        chmod 755 "$WINE32_CACHE/qemu-i386.new" &&
        mv "$WINE32_CACHE/qemu-i386.new" "$WINE32_CACHE/qemu-i386" || return 1
    rm -f "$deb"
    "$WINE32_CACHE/qemu-i386" --version | head -1 >&2
}

# Registers the cached emulator for i386 programs. Flag F opens it now, so the entry keeps
# working whatever becomes of the cache, inside containers and chroots too. The kernel tries
# the newest entry first, so this one is used even where an older qemu is registered as well.
wine32__register_emulator() {
    printf ':%s:M::%s:%s:%s:F' "$WINE32_BINFMT_NAME" "$WINE32_BINFMT_MAGIC" "$WINE32_BINFMT_MASK" \
        "$WINE32_CACHE/qemu-i386" | wine32__as_root tee "$WINE32_BINFMT/register" >/dev/null
}

wine32_prepare() {
    # binfmt_misc is the kernel's, shared by every system on it: mounted first, so that an entry
    # registered from another system (a chroot's host, say) is seen and used, not registered twice.
    if ! wine32_native && [ ! -e "$WINE32_BINFMT/register" ]; then
        wine32__as_root mount -t binfmt_misc binfmt_misc "$WINE32_BINFMT" ||
            { wine32__say "could not mount binfmt_misc"; return 1; }
    fi
    if ! wine32_native && ! wine32__emulator_registered; then
        if [ ! -x "$WINE32_CACHE/qemu-i386" ]; then
            wine32__fetch_emulator || { wine32__say "could not fetch the i386 emulator"; return 1; }
        fi
        wine32__register_emulator || { wine32__say "could not register the i386 emulator"; return 1; }
        WINE32_REGISTERED=1
    fi
    /usr/lib/wine/wine --version >/dev/null 2>&1 ||
        { wine32__say "the 32-bit Wine loader does not start ($(wine32_describe))"; return 1; }
    wine32__say "32-bit programs run $(wine32_describe)"
}

wine32_describe() {
    if wine32_native; then
        echo natively
    elif wine32__emulator_registered; then
        # With flag F the kernel holds the emulator it opened at registration; the file now at
        # that path may be another one (inside a chroot, say), so its version is only said when
        # this shell registered it.
        if [ -n "$WINE32_REGISTERED" ]; then
            local version
            version=$("$(wine32__emulator)" --version 2>/dev/null |
                sed -n '1s/ version \([^ ]*\).*/ \1/p')
            echo "emulated by ${version:-$(wine32__emulator)} (binfmt_misc)"
        else
            echo "emulated by the binfmt_misc entry $WINE32_BINFMT_NAME ($(wine32__emulator)), registered before"
        fi
    else
        echo "not at all: no 32-bit support in the kernel and no emulator registered"
    fi
}
