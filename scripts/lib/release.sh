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
# permissions, no owner, and as their time the last commit's (see source_date_epoch).

# Whether the current folder is a git checkout of its own (not a source archive unpacked
# somewhere inside another repository).
in_checkout() {
    [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$(pwd -P)" ]
}

# The date of the sources' commit, in seconds since 1970: SOURCE_DATE_EPOCH when set; in a
# checkout, git's; in an archive made by git archive, the one it wrote into
# cmake/source-version.txt. Sources that have none of these get a fixed date, and are told so.
source_date_epoch() {
    local date=${SOURCE_DATE_EPOCH:-}
    if [ -z "$date" ] && in_checkout; then date=$(git log -1 --format=%ct); fi
    [ -n "$date" ] || date=$(sed -n 's/^date \([0-9][0-9]*\)$/\1/p' cmake/source-version.txt)
    if [ -z "$date" ]; then
        echo "note: these sources are neither a git checkout nor an archive made by git" \
            "archive, so their date is unknown: the archive's entries are dated 1980-01-01." \
            "Set SOURCE_DATE_EPOCH (seconds since 1970) to date them." >&2
        date=315532800
    fi
    echo "$date"
}

release_build() (
    local log archive
    SOURCE_DATE_EPOCH=$(source_date_epoch)
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
