# A Wine session for running and testing the program: a private X display (Xvfb + openbox) or the
# user's, a Wine prefix under build/, and a persistent wineserver for that prefix.
# Source scripts/lib/common.sh first, then this file.
#
#   wine_session_start <prefix> <name> [--fresh] [--copy-of <prefix>] [--display current|private|two-monitors]
#   ... run things: WINEPREFIX, DISPLAY, WINEDEBUG, WINEDLLOVERRIDES, LANG, LC_ALL are exported ...
#   wine_session_stop
#
# Everything started here is stopped by wine_session_stop: Xvfb and openbox by their pids, the Wine
# processes of this prefix (and only of this prefix) with `wineserver -k`.
# shellcheck shell=bash

WINE_SESSION_XVFB_PID=""
WINE_SESSION_XEPHYR_PID=""
WINE_SESSION_OPENBOX_PID=""
WINE_SESSION_PREFIX=""
WINE_SESSION_DIR=""
WINE_SESSION_DISPLAY_FIRST="${WINE_SESSION_DISPLAY_FIRST:-90}"

# The environment every Wine process of the harness runs with: en-US texts (short date M/d/yyyy,
# time h:mm:ss AM/PM), Wine's errors only (a process that fails says why), no .NET/Gecko install prompts.
wine_session_env() {
    export WINEPREFIX="$1"
    export WINEDEBUG=-all,err+all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    export LANG=C.UTF-8
    export LC_ALL=C.UTF-8
    unset LANGUAGE
}

# An rc.xml for openbox: the stock configuration (click to focus, title bar dragging), plus a rule that
# keeps Wine's standalone tray window from taking the focus when it appears, as the notification area
# never takes it on Windows.
_wine_session_write_rc() {
    local rc="$1"
    local rule='<application title="Wine System Tray"><focus>no</focus></application>'
    if [[ -f /etc/xdg/openbox/rc.xml ]] && grep -q '</applications>' /etc/xdg/openbox/rc.xml; then
        sed "s#</applications>#  $rule\n</applications>#" /etc/xdg/openbox/rc.xml >"$rc"
    else
        cat >"$rc" <<EOF
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <focus><focusNew>yes</focusNew><followMouse>no</followMouse></focus>
  <desktops><number>1</number></desktops>
  <mouse>
    <context name="Frame"><mousebind button="Left" action="Press"><action name="Focus"/><action name="Raise"/></mousebind></context>
    <context name="Client"><mousebind button="Left" action="Press"><action name="Focus"/><action name="Raise"/></mousebind></context>
    <context name="Titlebar"><mousebind button="Left" action="Press"><action name="Focus"/><action name="Raise"/></mousebind><mousebind button="Left" action="Drag"><action name="Move"/></mousebind></context>
  </mouse>
  <applications>
    $rule
  </applications>
</openbox_config>
EOF
    fi
}

# Starts Xvfb on the first free display number from WINE_SESSION_DISPLAY_FIRST up; exports DISPLAY. With
# "two-monitors", Xephyr inside the current display instead: two screens side by side, a 1280x800 primary and
# a 1024x768 one right of it, which Wine sees as two monitors when it reads Xinerama rather than XRandR.
_wine_session_start_xvfb() {
    local kind="${1:-}" n pid i
    for ((n = WINE_SESSION_DISPLAY_FIRST; n < WINE_SESSION_DISPLAY_FIRST + 100; n++)); do
        [[ -e "/tmp/.X$n-lock" || -e "/tmp/.X11-unix/X$n" ]] && continue
        if [[ "$kind" == two-monitors ]]; then
            Xephyr ":$n" +xinerama -screen 1280x800+0+0 -screen 1024x768+1280+0 -nolisten tcp -noreset \
                </dev/null >"$WINE_SESSION_DIR/xephyr-$n.log" 2>&1 &
        else
            Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset </dev/null >"$WINE_SESSION_DIR/xvfb-$n.log" 2>&1 &
        fi
        pid=$!
        for ((i = 0; i < 100; i++)); do
            kill -0 "$pid" 2>/dev/null || break
            if xdpyinfo -display ":$n" >/dev/null 2>&1; then
                if [[ "$kind" == two-monitors ]]; then WINE_SESSION_XEPHYR_PID=$pid; else WINE_SESSION_XVFB_PID=$pid; fi
                export DISPLAY=":$n"
                # No screen saver: a blank screen after ten idle minutes helps nobody.
                xset s off -dpms >/dev/null 2>&1 || true
                return 0
            fi
            sleep 0.1
        done
        # Lost a race for this number (or Xvfb failed): try the next one.
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    harness_die "no free X display number from $WINE_SESSION_DISPLAY_FIRST up (see $WINE_SESSION_DIR)"
}

_wine_session_start_openbox() {
    local i
    _wine_session_write_rc "$WINE_SESSION_DIR/rc.xml"
    openbox --sm-disable --config-file "$WINE_SESSION_DIR/rc.xml" </dev/null >"$WINE_SESSION_DIR/openbox.log" 2>&1 &
    WINE_SESSION_OPENBOX_PID=$!
    for ((i = 0; i < 100; i++)); do
        kill -0 "$WINE_SESSION_OPENBOX_PID" 2>/dev/null || harness_die "openbox did not start (see $WINE_SESSION_DIR/openbox.log)"
        if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
            return 0
        fi
        sleep 0.1
    done
    harness_die "openbox did not come up on $DISPLAY"
}

# Stops the Wine processes of the session's prefix only.
_wine_session_kill_wine() {
    [[ -n "$WINE_SESSION_PREFIX" && -d "$WINE_SESSION_PREFIX" ]] || return 0
    WINEPREFIX="$WINE_SESSION_PREFIX" wineserver -k </dev/null >/dev/null 2>&1 || true
    WINEPREFIX="$WINE_SESSION_PREFIX" timeout 20 wineserver -w </dev/null >/dev/null 2>&1 || true
}

# Boots the prefix (when new), maps the core fonts to Liberation fonts and adds Wine's own fonts.
_wine_session_prepare_prefix() {
    local log="$WINE_SESSION_DIR/wine.log" start
    mkdir -p "$WINE_SESSION_PREFIX"
    # The persistent server comes first, from a command whose output is not piped, with DISPLAY set:
    # the first server of a prefix decides whether windows work.
    wineserver -p </dev/null >>"$log" 2>&1 || harness_die "wineserver -p failed (see $log)"
    start=$SECONDS
    if [[ ! -f "$WINE_SESSION_PREFIX/.harness-booted" ]]; then
        harness_log "booting Wine prefix $WINE_SESSION_PREFIX"
        wine wineboot -i </dev/null >>"$log" 2>&1 || harness_die "wineboot -i failed (see $log)"
    else
        # Starts the services and the desktop process now, with their output going to the log and
        # not to whatever runs first (a test whose output ctest reads from a pipe).
        wine wineboot </dev/null >>"$log" 2>&1 || harness_die "wineboot failed (see $log)"
    fi
    # Judged by the value read back, not by reg's exit status: now and then a process of this Wine fails an
    # ld.so assertion in _dl_fini as it exits, after its work is done.
    local face key='HKCU\Software\Wine\Fonts\Replacements'
    for face in "Arial=Liberation Sans" "Times New Roman=Liberation Serif" "Courier New=Liberation Mono"; do
        wine reg add "$key" /v "${face%%=*}" /t REG_SZ /d "${face#*=}" /f </dev/null >>"$log" 2>&1
        wine reg query "$key" /v "${face%%=*}" </dev/null 2>>"$log" | grep -qF "REG_SZ    ${face#*=}" ||
            harness_die "cannot set the font replacement ${face%%=*} (see $log)"
    done
    if compgen -G '/usr/share/wine/fonts/*' >/dev/null; then
        mkdir -p "$WINE_SESSION_PREFIX/drive_c/windows/Fonts"
        cp -f /usr/share/wine/fonts/* "$WINE_SESSION_PREFIX/drive_c/windows/Fonts/"
    fi
    if [[ -n "$WINE_SESSION_XEPHYR_PID" ]] && ! wine reg query 'HKCU\Software\Wine\X11 Driver' /v UseXRandR \
        </dev/null 2>>"$log" | grep -q 'REG_SZ    N'; then
        # Xinerama's screens are read only with XRandR off, and only by a server started afterwards.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /t REG_SZ /d N /f </dev/null >>"$log" 2>&1
        _wine_session_kill_wine
        wineserver -p </dev/null >>"$log" 2>&1 || harness_die "wineserver -p failed (see $log)"
        wine wineboot </dev/null >>"$log" 2>&1 || harness_die "wineboot failed (see $log)"
    fi
    touch "$WINE_SESSION_PREFIX/.harness-booted"
    harness_log "Wine prefix ready in $((SECONDS - start)) s: $WINE_SESSION_PREFIX"
}

# wine_session_start <prefix> <name> [--fresh] [--display current|private]
wine_session_start() {
    local prefix="$1" name="$2" fresh=0 mode=private copy=""
    shift 2
    while (($#)); do
        case "$1" in
        --fresh) fresh=1 ;;
        --copy-of) copy="$2"; shift ;;
        --display) mode="$2"; shift ;;
        *) harness_die "wine_session_start: unknown option $1" ;;
        esac
        shift
    done
    WINE_SESSION_PREFIX="$prefix"
    WINE_SESSION_DIR="$HARNESS_BUILD_ROOT/harness/$name"
    mkdir -p "$WINE_SESSION_DIR"
    : >"$WINE_SESSION_DIR/wine.log"
    wine_session_env "$prefix"

    # A server left over from an earlier run of this prefix may be bound to a display that is gone.
    _wine_session_kill_wine
    if ((fresh)); then
        rm -rf "$prefix"
    fi
    # A booted prefix of another session, with its fonts: a server of its own needs a prefix of its own.
    if [[ -n "$copy" && ! -d "$prefix" ]]; then
        cp -a "$copy" "$prefix" || harness_die "cannot copy the prefix $copy"
    fi

    if [[ "$mode" == two-monitors ]]; then
        command -v Xephyr >/dev/null 2>&1 || harness_die "Xephyr is missing (package xserver-xephyr)"
        [[ -n "${DISPLAY:-}" ]] && xdpyinfo >/dev/null 2>&1 || _wine_session_start_xvfb
        _wine_session_start_xvfb two-monitors
        _wine_session_start_openbox
        harness_log "two monitors on $DISPLAY (Xephyr pid $WINE_SESSION_XEPHYR_PID, openbox pid $WINE_SESSION_OPENBOX_PID)"
    elif [[ "$mode" == private ]]; then
        _wine_session_start_xvfb
        _wine_session_start_openbox
        harness_log "private display $DISPLAY (Xvfb pid $WINE_SESSION_XVFB_PID, openbox pid $WINE_SESSION_OPENBOX_PID)"
    else
        [[ -n "${DISPLAY:-}" ]] || harness_die "DISPLAY is not set"
        xdpyinfo >/dev/null 2>&1 || harness_die "cannot open display $DISPLAY"
        harness_log "using display $DISPLAY"
    fi
    _wine_session_prepare_prefix
}

# wine_session_hold_desktop <probe.exe>: keeps a hidden window (probe hold) until the session stops.
# Wine closes the desktop (and its explorer process) some 20 s after its last program ends; the next
# program then starts explorer again, and explorer inherits that program's output. A test whose output
# ctest reads from a pipe would wait for explorer's exit, 20 s per test. With the desktop held, explorer
# runs throughout, with its output in the session log.
wine_session_hold_desktop() {
    local probe="$1"
    [[ -z "${WINE_SESSION_HOLDER_PID:-}" ]] || return 0
    wine "$probe" hold </dev/null >>"$WINE_SESSION_DIR/wine.log" 2>&1 &
    WINE_SESSION_HOLDER_PID=$!
    # Not before the holder's window is there: until then the next Wine program (a test run by ctest,
    # with its output in a pipe) could be the one that starts explorer, which would keep that pipe open.
    local i out="$WINE_SESSION_DIR/holder.txt"
    for ((i = 0; i < 300; i++)); do
        wine "$probe" windows UpliftProbeDesktopHolder </dev/null >"$out" 2>>"$WINE_SESSION_DIR/wine.log"
        [[ -s "$out" ]] && break
        kill -0 "$WINE_SESSION_HOLDER_PID" 2>/dev/null || harness_die "probe hold ended (see $WINE_SESSION_DIR/wine.log)"
        sleep 0.1
    done
    harness_log "desktop held by $probe hold (pid $WINE_SESSION_HOLDER_PID)"
}

wine_session_stop() {
    if [[ -n "${WINE_SESSION_HOLDER_PID:-}" ]]; then
        kill "$WINE_SESSION_HOLDER_PID" 2>/dev/null || true
        wait "$WINE_SESSION_HOLDER_PID" 2>/dev/null || true
        WINE_SESSION_HOLDER_PID=""
    fi
    _wine_session_kill_wine
    local pid
    for pid in "$WINE_SESSION_OPENBOX_PID" "$WINE_SESSION_XEPHYR_PID" "$WINE_SESSION_XVFB_PID"; do
        [[ -n "$pid" ]] || continue
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    WINE_SESSION_OPENBOX_PID=""
    WINE_SESSION_XEPHYR_PID=""
    WINE_SESSION_XVFB_PID=""
}
