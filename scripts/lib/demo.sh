# shellcheck shell=bash
# Shell functions shared by scripts/demo and scripts/screenshots: building the programs,
# starting them under Wine, running the tour, taking screenshots. Source it after
# scripts/lib/wine-rig.sh (it uses RIG_ROOT); the Wine environment must be set up already for
# everything but demo_build.

# The shipped build: the 32-bit programs, under 32-bit Wine.
DEMO_BUILD="$RIG_ROOT/build/windows"
DEMO_CLIENT_PID=""
DEMO_PANEL_PID=""
DEMO_PREFIX=""

demo__say() { printf '%s: %s\n' "${0##*/}" "$*" >&2; }

demo_fail() {
    demo__say "FAILED: $*"
    exit 1
}

# Runs a command without the rig's lock (when it is held): Wine's processes may outlive the
# command that starts them, and must not keep the next rig waiting.
demo__unlocked() {
    (
        [ -z "$RIG_LOCK_FD" ] || exec {RIG_LOCK_FD}>&-
        exec "$@"
    )
}

# Makes the Wine prefix $1 for showing the programs, once: a prefix of the rig's kind in which
# Wine draws the window frames itself (no window manager needed), and the screen has $2 dots
# per inch. Needs rig_env's environment and an X display.
demo_prepare_prefix() {
    local prefix=$1 dpi=$2 mark="$1/.quillow-demo-ready"
    rig_prepare_prefix "$prefix" || return 1
    [ -f "$mark" ] && return 0
    (
        export WINEPREFIX="$prefix"
        demo__unlocked wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ \
            /d N /f &&
            demo__unlocked wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels \
                /t REG_DWORD /d "$dpi" /f &&
            wineserver -w
    ) >>"$RIG_DIR/wineboot-${prefix##*/}.log" 2>&1 || return 1
    touch "$mark"
}

# Runs the Windows programs from now on in the prefix $1.
demo_use_prefix() {
    DEMO_PREFIX=$1
    export WINEPREFIX="$1"
}

# Ends every program still running in that prefix, and its server.
demo_end_prefix() {
    [ -n "$DEMO_PREFIX" ] || return 0
    WINEPREFIX="$DEMO_PREFIX" wineserver -k 2>/dev/null || true
    WINEPREFIX="$DEMO_PREFIX" timeout 20 wineserver -w 2>/dev/null || true
    DEMO_PREFIX=""
}

# A plain desktop colour behind the windows instead of the virtual display's black. (ImageMagick
# leaves the picture behind as the root window's background; its exit status says nothing.)
demo_paint_desktop() {
    local size
    size=$(xdpyinfo | sed -n 's/^ *dimensions: *\([0-9]*x[0-9]*\) pixels.*/\1/p')
    timeout 10 display -window root -size "${size:-1280x800}" xc:'#3a6ea5' 2>/dev/null || true
}

# The shipped Windows build (preset windows), just the three programs.
demo_build() {
    (cd "$RIG_ROOT" && cmake --preset windows >/dev/null &&
        cmake --build --preset windows --target quillow standin quillow_tour)
}

# Waits up to $2 seconds for the line ending a stand-in client's record entry of kind $1 in the
# record $3, while the client lives.
demo__wait_for_event() {
    local what=$1 seconds=$2 record=$3 i
    for ((i = 0; i < seconds * 10; i++)); do
        grep -q "^evt	[^	]*	$what	" "$record" 2>/dev/null && return 0
        kill -0 "$DEMO_CLIENT_PID" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# Starts the stand-in client with its record in $1 (made afresh) and the further options given,
# and waits until all its windows are there. Its output goes to a log beside the record.
demo_start_client() {
    local record=$1
    shift
    rm -f "$record"
    demo__unlocked wine "$DEMO_BUILD/standin/standin.exe" --record "$record" "$@" \
        </dev/null >"${record%.*}-standin.log" 2>&1 &
    DEMO_CLIENT_PID=$!
    demo__wait_for_event ready 30 "$record" ||
        demo_fail "the stand-in client did not start (see ${record%.*}-standin.log)"
}

# Starts Quillow, its output going to the log $1. The tour waits for its window.
demo_start_panel() {
    demo__unlocked wine "$DEMO_BUILD/app/quillow.exe" </dev/null >"$1" 2>&1 &
    DEMO_PANEL_PID=$!
}

# Runs the tour with the options given (see demo/tour.cpp), bounded in time.
demo_tour() {
    demo__unlocked timeout --kill-after=5 120 wine "$DEMO_BUILD/demo/tour.exe" "$@" </dev/null
}

# Waits up to $2 seconds for process $1 (a child of this shell) to end.
demo_wait_for_exit() {
    local pid=$1 seconds=$2 i
    for ((i = 0; i < seconds * 10; i++)); do
        kill -0 "$pid" 2>/dev/null || { wait "$pid" 2>/dev/null; return 0; }
        sleep 0.1
    done
    return 1
}

# Saves the screen (or the part of it the ImageMagick geometry $2 gives) to the PNG file $1,
# once what was last drawn has reached the screen.
demo_screenshot() {
    local file=$1 geometry=${2:-}
    sleep 0.5
    mkdir -p "$(dirname "$file")"
    if [ -n "$geometry" ]; then
        import -window root -crop "$geometry" +repage "$file"
    else
        import -window root "$file"
    fi
}
