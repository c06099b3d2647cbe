# shellcheck shell=bash
# Shell functions shared by scripts/demo and scripts/screenshots: setting up and building,
# running the tour under Wine, which starts the programs and works them, taking screenshots.
# Sourcing it sources the rest of what they need: the package list, 32-bit Wine and the rig.
# The Wine environment must be set up (rig_start, or rig_env) for all but demo_setup.

# shellcheck source=scripts/lib/packages.sh
source "$(dirname "${BASH_SOURCE[0]}")/packages.sh"
# shellcheck source=scripts/lib/wine32.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine32.sh"
# shellcheck source=scripts/lib/wine-rig.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine-rig.sh"

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

# What the demo's commands do first: arranges that whatever they start in Wine ends however they
# end, installs the missing Debian packages, makes 32-bit Wine work, and builds the shipped
# Windows programs (preset windows, just the three of them).
demo_setup() {
    rig_stop_at_exit demo_end_prefix
    install_packages && wine32_prepare || demo_fail "could not install what is needed"
    (cd "$RIG_ROOT" && cmake --preset windows >/dev/null &&
        cmake --build --preset windows --target quillow standin quillow_tour) ||
        demo_fail "the build failed"
}

# Starts the tour (see demo/tour.cpp) of the shipped build, the 32-bit programs, in the Wine
# prefix $1: the stand-in client, and Quillow beside it. Returns once both are up. With $2, the
# prefix is first made ready for the rig's display, its screen at $2 dots per inch, and the
# desktop painted (after the prefix: making one clears the screen).
demo_tour_start() {
    if [ -n "${2:-}" ]; then
        demo_prepare_prefix "$1" "$2" || demo_fail "could not make the prefix $1"
        demo_paint_desktop
    fi
    DEMO_PREFIX=$1
    export WINEPREFIX="$1"
    coproc DEMO__TOUR { demo__unlocked wine "$RIG_ROOT/build/windows/demo/tour.exe"; }
    demo__answer start
}

# Asks the tour to do the command with its arguments (see demo/tour.cpp), and prints the value
# of its answer, if any. Fails, saying why, unless the answer is "ok".
demo_tour() {
    demo__say "tour: $*"
    [ -n "${DEMO__TOUR[1]:-}" ] || demo_fail "$*: the tour has ended"
    printf '%s\n' "$*" >&"${DEMO__TOUR[1]}"
    demo__answer "$*"
}

# Reads the tour's answer to $1. The person may take their time to close the panel; anything
# else is answered in far less than two minutes.
demo__answer() {
    local answer bound=(-t 120)
    [ "$1" != wait-panel ] || bound=()
    [ -n "${DEMO__TOUR[0]:-}" ] || demo_fail "$1: the tour has ended"
    # A Windows program's lines end in CR LF.
    IFS=$'\r' read -r "${bound[@]}" answer <&"${DEMO__TOUR[0]}" || answer="no answer from the tour"
    case $answer in
        ok) ;;
        "ok "*) printf '%s\n' "${answer#ok }" ;;
        *) demo_fail "$1: ${answer#FAILED: }" ;;
    esac
}

# Closes the panel and the client, then ends the tour and whatever else runs in the prefix.
demo_tour_end() {
    demo_tour close
    demo_end_prefix
}

# Saves the screen (or the part of it the ImageMagick geometry $2 gives) to the PNG file $1,
# once what was last drawn has reached the screen.
demo_screenshot() {
    local file=$1 crop=()
    [ -z "${2:-}" ] || crop=(-crop "$2" +repage)
    sleep 0.5
    mkdir -p "$(dirname "$file")"
    import -window root "${crop[@]}" "$file"
}
