# shellcheck shell=bash
# The release archive as a user gets it. Source this file after scripts/lib/release.sh; then,
# at the repository's root,
#
#     release_archive_works CASE
#
# builds the archive the way scripts/release does, unpacks it into build/release-check, and
# checks that it holds just quillow.exe and README.txt (CRLF line ends, the project's
# version), that this quillow.exe is the very file the build's tests read (quillow_xp_floor
# and quillow_capabilities: its imports are theirs) and that it carries the version; and then
# starts that quillow.exe beside the 32-bit stand-in client in CASE, a ctest regular expression
# naming one case of the Windows tests, pointed at the unpacked program. Needs the Windows
# tests built (preset windows) and the rig running.

release_archive_works() (
    local dir=$PWD/build/release-check version archive
    fail() { printf 'release archive: FAILED: %s\n' "$*" >&2; exit 1; }

    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows/CMakeCache.txt)
    archive=$(release_build) || fail "the archive was not built"
    [ "$archive" = "$PWD/build/release/quillow-$version-win32.zip" ] ||
        fail "the archive is '$archive', not quillow-$version-win32.zip"
    rm -rf "$dir" && mkdir -p "$dir" && (cd "$dir" && cmake -E tar xf "$archive") ||
        fail "could not unpack $archive"
    [ "$(cd "$dir" && find . -mindepth 1 | sort | tr '\n' ' ')" = "./README.txt ./quillow.exe " ] ||
        fail "the archive holds more or less than quillow.exe and README.txt"
    [ "$(grep -c $'\r$' "$dir/README.txt")" = "$(wc -l <"$dir/README.txt")" ] ||
        fail "README.txt has lines that do not end in CR LF"
    grep -q "version $version"$'\r$' "$dir/README.txt" || fail "README.txt is not for $version"
    cmp -s "$dir/quillow.exe" build/windows/app/quillow.exe ||
        fail "quillow.exe is not the build's app/quillow.exe, which the tests checked"
    strings -n 3 -el "$dir/quillow.exe" | grep -qx "$version" ||
        fail "quillow.exe's version resource does not say $version"
    QUILLOW_PROGRAM=$(winepath -w "$dir/quillow.exe") ctest --preset windows --timeout 120 \
        -R "$1" >"$dir/run.txt" 2>&1 &&
        grep -q '^100% tests passed, 0 tests failed out of 1$' "$dir/run.txt" ||
        fail "quillow.exe from the archive did not greet, post and end as it should (see $dir/run.txt)"
)
