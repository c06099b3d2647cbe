# shellcheck shell=bash
# Building the release archive, for scripts/release and the test command. Source this file
# from a bash script run at the repository's root, then:
#
#     release_build    # configures and builds quillow.exe (preset windows), packs it with
#                      # cpack, and prints the archive's path
#     release_describe ARCHIVE   # prints its path, size and SHA-256
#
# The archive is the same, byte for byte, from every build of the same sources: the program
# carries no date and no path of the build, and the archive's entries get a fixed order, fixed
# permissions, no owner, and as their time the last commit's (SOURCE_DATE_EPOCH, when set,
# instead: sources without git need it).

release_build() (
    local log archive
    SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)} || {
        echo "no date for the archive: not a git checkout, and SOURCE_DATE_EPOCH is not set" >&2
        return 1
    }
    export SOURCE_DATE_EPOCH
    log=$(mktemp)
    # CPack writes its entries' owners, and zip's times are local times: strip-nondeterminism
    # clears the one and, in UTC, sets the other.
    if cmake --preset windows >"$log" 2>&1 &&
        cmake --build --preset windows --target quillow >>"$log" 2>&1 &&
        cpack --preset windows >>"$log" 2>&1 &&
        # "CPack: - package: PATH generated."
        archive=$(sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p' "$log") &&
        TZ=UTC strip-nondeterminism --type zip --timestamp "$SOURCE_DATE_EPOCH" "$archive" \
            >>"$log" 2>&1; then
        echo "$archive"
        rm -f "$log"
    else
        cat "$log" >&2
        rm -f "$log"
        return 1
    fi
)

release_describe() {
    local archive=$1 size sum
    size=$(stat -c %s "$archive")
    sum=$(sha256sum "$archive")
    printf '%s\n  size:    %d bytes (%d KB)\n  SHA-256: %s\n' \
        "$archive" "$size" $(((size + 1023) / 1024)) "${sum%% *}"
}
