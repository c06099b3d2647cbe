# shellcheck shell=bash
# The release archive, built again elsewhere, is the same file. Source this file after
# scripts/lib/release.sh; then, at the repository's root, once build/release holds the archive
# that the tests checked,
#
#     release_rebuilds_same
#
# copies the sources (in a checkout, the tracked files as the work tree has them) into
# build/rebuild/source (a folder of another path length), builds the release there as
# scripts/release does, at least a second later and under another time zone, locale and
# umask, and fails unless the two archives have the same SHA-256. On a difference it names the first file and offset that differ, and shows
# diffoscope's report when diffoscope is installed.

release_rebuilds_same() (
    local dir=$PWD/build/rebuild version archive copy
    fail() { printf 'release rebuild: FAILED: %s\n' "$*" >&2; exit 1; }

    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows/CMakeCache.txt)
    archive=$PWD/build/release/quillow-$version-win32.zip
    [ -f "$archive" ] || fail "no $archive to compare with"
    rm -rf "$dir" && mkdir -p "$dir/source" || fail "could not make $dir"
    source_files | tar --null --files-from=- --ignore-failed-read -cf - |
        tar -xf - -C "$dir/source" || fail "could not copy the sources to $dir/source"

    # The copy has no git of its own: it is told the commit and its date.
    SOURCE_DATE_EPOCH=$(source_date_epoch)
    QUILLOW_SOURCE_COMMIT=$(sed -n 's/^QUILLOW_SOURCE_COMMIT:INTERNAL=//p' \
        build/windows/CMakeCache.txt)
    export SOURCE_DATE_EPOCH QUILLOW_SOURCE_COMMIT
    # Another clock, time zone (UTC+14, spelled so that it needs no tzdata), locale and umask
    # than the first build's.
    local tz=LINT-14 locale=C.UTF-8 mask=077
    [ "${TZ:-}" != "$tz" ] || tz=UTC
    case ${LC_ALL:-${LANG:-}} in C.UTF-8 | C.utf8) locale=C ;; esac
    [ "$(umask)" != 0077 ] || mask=022
    export TZ=$tz LC_ALL=$locale
    umask "$mask"
    sleep 1
    echo "rebuilding in $dir/source (TZ=$TZ LC_ALL=$LC_ALL umask $(umask))"
    copy=$(cd "$dir/source" && release_build) || fail "the rebuild in $dir/source failed"

    sha256sum "$archive" "$copy"
    [ "$(sha256sum <"$archive")" = "$(sha256sum <"$copy")" ] && exit 0
    fail "the rebuilt archive differs: $(first_difference "$archive" "$copy" "$dir")"
)

# The sources, NUL-separated: the tracked files in a checkout, else every file but the builds.
source_files() {
    if in_checkout; then
        git ls-files -z
    else
        find . -path ./build -prune -o \( -type f -o -type l \) -printf '%P\0'
    fi
}

# first_difference A B DIR: the first file, in name order, whose bytes differ between the
# archives A and B (unpacked into DIR), and where (cmp's byte, counted from 1, and line); or the
# archives' own first difference.
first_difference() {
    local a=$1 b=$2 dir=$3 name at
    rm -rf "$dir/a" "$dir/b" && mkdir -p "$dir/a" "$dir/b"
    (cd "$dir/a" && cmake -E tar xf "$a") && (cd "$dir/b" && cmake -E tar xf "$b") ||
        { echo "could not unpack them"; return; }
    if command -v diffoscope >/dev/null; then diffoscope "$a" "$b" | head -n 60 >&2 || true; fi
    [ "$(cd "$dir/a" && find . | sort)" = "$(cd "$dir/b" && find . | sort)" ] ||
        { echo "they hold different files"; return; }
    while IFS= read -r name; do
        at=$(cmp "$dir/a/$name" "$dir/b/$name" 2>&1) ||
            { echo "$name differs: ${at##*: }"; return; }
    done < <(cd "$dir/a" && find . -type f | sort | sed 's|^\./||')
    at=$(cmp "$a" "$b" 2>&1)
    echo "the files in them are the same, the archives differ: ${at##*: }" \
        "(the entries' order, times, owners or permissions)"
}
