# shellcheck shell=bash
# The headless Windows rig: a private X display (Xvfb), a private Wine prefix made once and
# reused, and a persistent wineserver for that prefix, so that the cross-built Windows programs
# start fast and never stop at a dialog.
#
# The rig runs 32- and 64-bit programs side by side (the shipped 32-bit build and the x86-64
# one), once scripts/lib/wine32.sh has made 32-bit Wine work. A prefix works only with the kind
# of Wine installation it was made under: one made while only 64-bit Wine was installed breaks
# once Debian's 32-bit wine32 is added ("could not load kernel32.dll, status c0000135"), and
# the other way round. So the prefixes of each kind have a folder of their own, named after it
# (build/wine/win64-wow64/ with wine32, or build/wine/win64/ without), and a prefix of another
# kind is never reused, only left behind. To make the prefix again, remove its folder: the next
# rig makes it afresh (about 20 s, or 30 s where i386 code is emulated).
#
# Source this file from a bash script, then:
#
#     rig_stop_at_exit [COMMAND]  # rig_stop (after COMMAND) however the script ends
#     rig_start             # display, prefix (made on first use), wineserver; exports the env
#     ... run Windows programs: wine prog.exe, or ctest --preset windows ...
#     rig_stop              # ends exactly what rig_start started; safe to call more than once
#
# rig_start exports DISPLAY, WINEPREFIX, WINEARCH, WINEDEBUG, WINEDLLOVERRIDES and LC_ALL, and
# sets RIG_DISPLAY, RIG_XVFB_PID and RIG_ROOT. One rig per checkout runs at a time: a second
# one waits for the first (up to RIG_LOCK_WAIT seconds, default 600). RIG_PREFIXES and
# RIG_PREFIX are set by rig_env, once the kind of Wine installation is known.
#
# A further prefix, made the same way (say one with other settings, or one for a person's own
# display): rig_env, then rig_prepare_prefix "$RIG_PREFIXES/NAME" with DISPLAY set.
#
# Settings read from the environment:
#   QUILLOW_WINEDEBUG   Wine's debug channels for the tests (default -all)
#   RIG_FIRST_DISPLAY   the first display number tried (default 70)

# The repository this file belongs to.
RIG_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
RIG_DIR="$RIG_ROOT/build/wine"
RIG_PREFIXES=""
RIG_PREFIX=""
RIG_READY_NAME=.quillow-rig-ready
RIG_DISPLAY=""
RIG_XVFB_PID=""
RIG_LOCK_FD=""
RIG_SERVER_STARTED=""

rig__say() { printf 'wine-rig: %s\n' "$*" >&2; }

# Runs rig_stop, after the command $1 when given, however the script ends: at its end, on an
# error, on Ctrl-C or on a kill (these two with the shell's usual status).
rig_stop_at_exit() {
    # shellcheck disable=SC2064  # the command is fixed now
    trap "${1:+$1; }rig_stop" EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM HUP
}

# The environment every Wine command of the rig runs in. The prefixes' folder is chosen here,
# not when this file is sourced: wine32 may have been installed in between.
rig_env() {
    # The kind of Wine installation: with Debian's 32-bit loader too, or 64-bit alone.
    RIG_PREFIXES="$RIG_DIR/win64"
    [ ! -x /usr/lib/wine/wine ] || RIG_PREFIXES="$RIG_DIR/win64-wow64"
    RIG_PREFIX="$RIG_PREFIXES/prefix"
    export WINEPREFIX="$RIG_PREFIX"
    export WINEARCH=win64
    export WINEDEBUG="${QUILLOW_WINEDEBUG:--all}"
    # No Mono or Gecko installer prompt when the prefix is made.
    export WINEDLLOVERRIDES="mscoree,mshtml="
    # Wine takes the ANSI code page from the locale's language: C gives English, code page 1252.
    export LC_ALL=C.UTF-8
    unset WINESERVER WINELOADER
}

# Waits up to $2 tenths of a second for the command "$3..." to succeed while process $1 lives.
rig__wait_for() {
    local pid=$1 tenths=$2 i
    shift 2
    for ((i = 0; i < tenths; i++)); do
        kill -0 "$pid" 2>/dev/null || return 1
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

# Ends process $1 (a child of this shell) with SIGTERM, then SIGKILL after $2 tenths of a second.
rig__end_process() {
    local pid=$1 tenths=$2 i
    kill -0 "$pid" 2>/dev/null || return 0
    kill -TERM "$pid" 2>/dev/null || true
    for ((i = 0; i < tenths; i++)); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null || true
}

# An X server under another root (a chroot, a container sharing the network) leaves no files
# here, but holds the display's abstract socket, which X clients try first.
rig__display_free() {
    [ ! -e "/tmp/.X11-unix/X$1" ] && [ ! -e "/tmp/.X$1-lock" ] &&
        ! grep -q " @/tmp/.X11-unix/X$1\$" /proc/net/unix 2>/dev/null
}

# An Xvfb that an earlier run of this checkout left behind (the run was killed outright): the
# pid file names it and its display, and both must still match.
rig__end_stale_xvfb() {
    local pid display
    [ -f "$RIG_DIR/xvfb.pid" ] && read -r pid display <"$RIG_DIR/xvfb.pid" || return 0
    rm -f "$RIG_DIR/xvfb.pid"
    [ -n "$pid" ] && [ -n "$display" ] || return 0
    [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = Xvfb ] || return 0
    tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -q "^Xvfb $display " || return 0
    rig__say "ending the display server left by an earlier run (pid $pid, $display)"
    kill -TERM "$pid" 2>/dev/null || true
}

rig__start_xvfb() {
    local n=${RIG_FIRST_DISPLAY:-70} last pid
    last=$((n + 40))
    for ((; n < last; n++)); do
        rig__display_free "$n" || continue
        Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >"$RIG_DIR/xvfb.log" 2>&1 {RIG_LOCK_FD}>&- &
        pid=$!
        if rig__wait_for "$pid" 100 xdpyinfo -display ":$n"; then
            RIG_DISPLAY=":$n"
            RIG_XVFB_PID=$pid
            echo "$pid :$n" >"$RIG_DIR/xvfb.pid"
            export DISPLAY="$RIG_DISPLAY"
            return 0
        fi
        # Taken by someone else in the meantime, or not answering: try the next number.
        rig__end_process "$pid" 20
    done
    rig__say "could not start Xvfb on any display from :${RIG_FIRST_DISPLAY:-70} (see $RIG_DIR/xvfb.log)"
    return 1
}

# Debian's Wine does not find its own Marlett and Tahoma (the symbols of the frame buttons and
# the system's dialog font), which it does find in the prefix's Fonts folder. Copies those of
# them that are missing there; cheap when none is. They come in the package fonts-wine, which
# apt leaves out as a mere recommendation of Wine: without it, window frames show the letters
# "0 1 r" where their buttons' symbols belong (scripts/lib/packages.sh lists it).
rig__add_wine_fonts() {
    local fonts="$1/drive_c/windows/Fonts" font
    for font in marlett tahoma tahomabd; do
        if [ -f "/usr/share/wine/fonts/$font.ttf" ] && [ ! -f "$fonts/$font.ttf" ]; then
            mkdir -p "$fonts" && cp "/usr/share/wine/fonts/$font.ttf" "$fonts/" || return 1
        fi
    done
}

# The settings of a fresh prefix, in a shell of its own whose WINEPREFIX is that prefix. The
# rig's lock, when held, is not handed to Wine's processes: some of them outlive the command
# that starts them.
rig__make_prefix() {
    local log=$1
    [ -z "$RIG_LOCK_FD" ] || exec {RIG_LOCK_FD}>&-
    wineboot --init >"$log" 2>&1 || return 1
    wineserver -w || return 1
    # A crashing program must end, not wait at a dialog.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
        >>"$log" 2>&1 || return 1
    # Debian's Wine has no Arial; Liberation Sans has its metrics.
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /t REG_SZ \
        /d 'Liberation Sans' /f >>"$log" 2>&1 || return 1
    wineserver -w
}

# Makes a prefix once (the rig's own, or the one given); later runs find its mark and reuse it.
# Needs rig_env's environment and an X display.
rig_prepare_prefix() {
    local prefix=${1:-$RIG_PREFIX}
    local mark="$prefix/$RIG_READY_NAME" log="$RIG_DIR/wineboot${1:+-${1##*/}}.log"
    if [ -f "$mark" ]; then
        rig__add_wine_fonts "$prefix"
        return
    fi
    rig__say "creating the Wine prefix (once): $prefix"
    # A prefix without the mark is a half-made one from an interrupted run.
    rm -rf "$prefix"
    mkdir -p "$prefix"
    (export WINEPREFIX="$prefix" && rig__make_prefix "$log") &&
        rig__add_wine_fonts "$prefix" &&
        touch "$mark"
}

rig_start() {
    rig_env
    mkdir -p "$RIG_DIR"
    exec {RIG_LOCK_FD}>"$RIG_DIR/rig.lock"
    if ! flock -n "$RIG_LOCK_FD"; then
        rig__say "another rig is running for this checkout; waiting for it"
        if ! flock -w "${RIG_LOCK_WAIT:-600}" "$RIG_LOCK_FD"; then
            rig__say "gave up waiting for the other rig"
            exec {RIG_LOCK_FD}>&-
            RIG_LOCK_FD=""
            return 1
        fi
    fi
    # Holding the lock, anything still running for this prefix is a leftover of ours.
    rig__end_stale_xvfb
    wineserver -k 2>/dev/null || true
    timeout 20 wineserver -w 2>/dev/null || true

    rig__start_xvfb || return 1
    rig_prepare_prefix || { rig__say "making the prefix failed (see $RIG_DIR/wineboot.log)"; return 1; }
    # One server for the whole run: each program then starts without starting a server.
    # It detaches once it accepts connections.
    wineserver -p {RIG_LOCK_FD}>&- || { rig__say "could not start wineserver"; return 1; }
    RIG_SERVER_STARTED=1
    # Wine's own services start with the first program and stay with the server: start them
    # now, with their output in a log, so that no test pays for them or hands them its output.
    wine cmd /c exit 0 </dev/null >"$RIG_DIR/services.log" 2>&1 {RIG_LOCK_FD}>&- ||
        { rig__say "Wine does not run programs (see $RIG_DIR/services.log)"; return 1; }
    rig__say "ready: DISPLAY=$DISPLAY WINEPREFIX=$WINEPREFIX"
}

rig_stop() {
    if [ -n "$RIG_SERVER_STARTED" ]; then
        # Ends the server of our prefix and every Windows program attached to it.
        WINEPREFIX="$RIG_PREFIX" wineserver -k 2>/dev/null || true
        WINEPREFIX="$RIG_PREFIX" timeout 20 wineserver -w 2>/dev/null || true
        RIG_SERVER_STARTED=""
    fi
    if [ -n "$RIG_XVFB_PID" ]; then
        rig__end_process "$RIG_XVFB_PID" 50
        rm -f "$RIG_DIR/xvfb.pid"
        RIG_XVFB_PID=""
    fi
    if [ -n "$RIG_LOCK_FD" ]; then
        exec {RIG_LOCK_FD}>&-
        RIG_LOCK_FD=""
    fi
}
