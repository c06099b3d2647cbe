# shellcheck shell=bash
# Building the release archive, for scripts/release and the test command. Source this file
# from a bash script run at the repository's root, then:
#
#     release_build    # configures and builds quillow.exe (preset windows), packs it with
#                      # cpack, and prints the archive's path
#     release_describe ARCHIVE   # prints its path, size and SHA-256

# The Debian packages the archive needs (the Windows build; CPack comes with cmake).
# shellcheck disable=SC2034  # used by the scripts that source this file
RELEASE_PACKAGES=(cmake make g++-mingw-w64-i686-win32 googletest)

release_build() {
    local log
    log=$(mktemp)
    if cmake --preset windows >"$log" 2>&1 &&
        cmake --build --preset windows --target quillow >>"$log" 2>&1 &&
        cpack --preset windows >>"$log" 2>&1; then
        # "CPack: - package: PATH generated."
        sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p' "$log"
        rm -f "$log"
    else
        cat "$log" >&2
        rm -f "$log"
        return 1
    fi
}

release_describe() {
    local archive=$1 size sum
    size=$(stat -c %s "$archive")
    sum=$(sha256sum "$archive")
    printf '%s\n  size:    %d bytes (%d KB)\n  SHA-256: %s\n' \
        "$archive" "$size" $(((size + 1023) / 1024)) "${sum%% *}"
}
