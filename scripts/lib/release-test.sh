# shellcheck shell=bash
# The release archive as a user gets it. Source this file after scripts/lib/release.sh and
# scripts/lib/wine-rig.sh; then, at the repository's root and inside the running rig,
#
#     release_archive_works
#
# builds the archive the way scripts/release does, unpacks it into build/release-check, checks
# that it holds just quillow.exe and README.txt (CRLF line ends, the project's version), and
# starts that quillow.exe beside the stand-in client until its greeting reaches the room.

release_archive_works() (
    local dir=$PWD/build/release-check version archive client="" panel="" p="" greeting
    fail() { printf 'release archive: FAILED: %s\n' "$*" >&2; exit 1; }
    # seen WHAT WHERE BYTES: waits up to 60 s for the stand-in client to record that event.
    seen() {
        local i
        for ((i = 0; i < 600; i++)); do
            grep -q "^evt	[^	]*	$1	$2	$3\$" "$dir/record.txt" 2>/dev/null && return 0
            sleep 0.1
        done
        return 1
    }
    trap 'for p in $panel $client; do kill "$p" && wait "$p" || true; done 2>/dev/null' EXIT

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
    strings -n 3 -el "$dir/quillow.exe" | grep -qx "$version" ||
        fail "quillow.exe's version resource does not say $version"

    wine build/windows/standin/standin.exe --record "$dir/record.txt" \
        </dev/null >"$dir/standin.log" 2>&1 {RIG_LOCK_FD}>&- &
    client=$!
    seen ready main "" || fail "the stand-in client did not start (see $dir/standin.log)"
    wine "$dir/quillow.exe" </dev/null >"$dir/quillow.log" 2>&1 {RIG_LOCK_FD}>&- &
    panel=$!
    greeting=$(printf '<font color=#0000ff> -v\x9b <font color=#000000>Quillow By: Torvik.Zennoq03<font color=#0000ff> \x8bv-' |
        od -An -v -tx1 | tr -d ' \n')
    seen line room1 "$greeting" ||
        fail "the greeting of the unpacked quillow.exe did not reach the room (see $dir/record.txt)"
)
