# shellcheck shell=bash
# The release archive as a user gets it. Source this file after scripts/lib/release.sh; then,
# at the repository's root,
#
#     release_archive_works
#
# builds the archive the way scripts/release does, unpacks it into build/release-check, and
# checks that it holds just quillow.exe and README.txt (CRLF line ends, the project's
# version), that this quillow.exe is the very file the build's tests checked
# (quillow_capabilities among them), and that it carries the version and loads on XP SP3: a
# 32-bit x86 program asking for Windows 5.1 at most, importing only what app/xp_imports.txt
# lists; and then starts that quillow.exe beside the 32-bit stand-in client and checks its
# greeting bytes, one command and an orderly end (one case of the Windows tests, pointed at the
# unpacked program). Needs the Windows tests built (preset windows) and the rig running.

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
    cmake -DPROGRAM="$dir/quillow.exe" -DALLOWED=app/xp_imports.txt -P cmake/check_imports.cmake >"$dir/xp-floor.txt" 2>&1 ||
        fail "quillow.exe would not load on Windows XP SP3 (see $dir/xp-floor.txt)"
    QUILLOW_PROGRAM=$(winepath -w "$dir/quillow.exe") ctest --preset windows --timeout 120 \
        -R '^PanelEndToEnd\.ClosingTwiceDuringTheWaitOfStartSaysFarewellOnceAndEnds$' \
        >"$dir/run.txt" 2>&1 && grep -q '^100% tests passed, 0 tests failed out of 1$' "$dir/run.txt" ||
        fail "quillow.exe from the archive did not greet, post and end as it should (see $dir/run.txt)"
)
