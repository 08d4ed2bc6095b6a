#!/usr/bin/env bash
# Builds UpliftBeacon.exe and runs it under Wine, installing what is missing.
#
#   scripts/run.sh [--demo [--readme-pictures]] [--private] [--two-monitors] [--no-build] [--interval SECONDS]
#
# With DISPLAY set (and reachable) the program runs on that display; otherwise (or with --private) on a
# private X display (Xvfb + openbox), and a screenshot of that display is saved every few seconds to
# build/screens/ (latest.png is always the newest). With --two-monitors it runs on two monitors side by side
# (Xephyr nested in that display, 1280x800 and 1024x768) with the prefix build/wineprefix-run-monitors, and
# the screenshots show both. The Wine prefix build/wineprefix-run is kept between runs, so the program's
# settings survive. Ctrl+C ends the program and cleans up; so does the program's own Exit. It prints when
# the first showing comes under the settings it runs with.
#
# --demo: a throw-away prefix whose settings show an affirmation in the box style about 4 s after the start,
# for 3 s, and again 4 s after each one has gone; on the private display it saves build/screens/showing.png
# while one is on the screen and build/screens/options.png of the options window. --readme-pictures also
# copies both, made small, to docs/pictures/ for the README.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"
harness_fixed_address_layout "$@"
source "$HARNESS_ROOT/scripts/lib/wine_session.sh"

PRIVATE=0
DEMO=0
README_PICTURES=0
MONITORS=0
BUILD=1
INTERVAL=5
while (($#)); do
    case "$1" in
    --private) PRIVATE=1 ;;
    --demo) DEMO=1 ;;
    --readme-pictures) DEMO=1; README_PICTURES=1; PRIVATE=1 ;;
    --two-monitors) MONITORS=1 ;;
    --no-build) BUILD=0 ;;
    --interval) INTERVAL="$2"; shift ;;
    -h | --help) sed -n '2,18p' "$0"; exit 0 ;;
    *) harness_die "unknown option $1 (see --help)" ;;
    esac
    shift
done

RUN_BUILD="$HARNESS_BUILD_ROOT/windows-run"
PREFIX="$HARNESS_BUILD_ROOT/wineprefix-run"
# Wine reads two monitors with XRandR off, which a prefix of its own keeps from the user's own display.
((MONITORS)) && PREFIX+="-monitors"
((DEMO)) && PREFIX="$(mkdir -p "$HARNESS_BUILD_ROOT" && mktemp -d "$HARNESS_BUILD_ROOT/wineprefix-demo-XXXXXX")"
SCREENS="$HARNESS_BUILD_ROOT/screens"
EXE="$HARNESS_ROOT/dist/UpliftBeacon.exe"

harness_install_deps

if ((BUILD)); then
    harness_log "building UpliftBeacon.exe ($RUN_BUILD)"
    cmake -S "$HARNESS_ROOT" -B "$RUN_BUILD" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$HARNESS_TOOLCHAIN" -DUPLIFT_BUILD_TESTS=OFF >/dev/null
    cmake --build "$RUN_BUILD" -j "$HARNESS_JOBS" --target UpliftBeacon
fi
[[ -f "$EXE" ]] || harness_die "$EXE not found (build failed?)"

# One run at a time: the prefix is shared.
mkdir -p "$HARNESS_BUILD_ROOT/harness"
exec 8>"$HARNESS_BUILD_ROOT/harness/run.lock"
flock -n 8 || harness_die "scripts/run.sh already runs in this tree (build/harness/run.lock)"

mode=private
if ((!PRIVATE)) && [[ -n "${DISPLAY:-}" ]] && xdpyinfo >/dev/null 2>&1; then
    mode=current
fi
shoot=$([[ "$mode" == private ]] && echo 1 || echo 0)
if ((MONITORS)); then
    # Nested in a private display unless the user's own was chosen.
    ((shoot)) && unset DISPLAY
    mode=two-monitors
fi

PROGRAM_PID=""
SHOOTER_PID=""
cleanup() {
    trap - EXIT INT TERM
    if [[ -n "$SHOOTER_PID" ]]; then
        kill "$SHOOTER_PID" 2>/dev/null || true
        wait "$SHOOTER_PID" 2>/dev/null || true
    fi
    if [[ -n "$PROGRAM_PID" ]] && kill -0 "$PROGRAM_PID" 2>/dev/null; then
        kill "$PROGRAM_PID" 2>/dev/null || true
    fi
    wine_session_stop
    if ((DEMO)); then
        rm -rf "$PREFIX"
    fi
    harness_log "stopped"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

wine_session_start "$PREFIX" run --display "$mode"
# A desktop colour of its own on the private display: on a black screen the default affirmation,
# black text floating over the desktop, could not be seen in the screenshots.
if ((shoot)); then
    xsetroot -solid '#3a6ea5' 2>/dev/null || true
fi

source "$HARNESS_ROOT/scripts/lib/demo.sh"
if ((DEMO)); then
    demo_settings
fi
harness_log "$(first_showing_text)"

LOG="$WINE_SESSION_DIR/program.log"
harness_log "starting $EXE (output: $LOG)"
(cd "$(dirname "$EXE")" && exec wine "$EXE") </dev/null >"$LOG" 2>&1 &
PROGRAM_PID=$!

if ((shoot)); then
    mkdir -p "$SCREENS"
    (
        trap 'exit 0' TERM
        while sleep "$INTERVAL"; do
            shot="$SCREENS/shot-$(date +%Y%m%d-%H%M%S).png"
            if import -window root "$shot" 2>/dev/null; then
                cp -f "$shot" "$SCREENS/latest.tmp.png" && mv -f "$SCREENS/latest.tmp.png" "$SCREENS/latest.png"
                # Keep the newest 100.
                ls -1t "$SCREENS"/shot-*.png 2>/dev/null | tail -n +101 | xargs -r rm -f
            fi
        done
    ) </dev/null >/dev/null 2>&1 &
    SHOOTER_PID=$!
    if ((DEMO)); then
        demo_pictures "$SCREENS" "$((README_PICTURES))" || harness_log "no demo pictures (see above)"
        if ((README_PICTURES)); then
            exit 0
        fi
    fi
    cat >&2 <<EOF
[harness] The program runs on the private display $DISPLAY ($(xdpyinfo | awk '/dimensions:/ {print $2}'), no screen attached).
[harness] A screenshot is saved every $INTERVAL s: $SCREENS/latest.png (and shot-*.png, the newest 100).
[harness] To interact, e.g.:  DISPLAY=$DISPLAY xdotool search --name 'Wine System Tray'   (the tray window;
[harness]   double-click its first icon with: DISPLAY=$DISPLAY xdotool mousemove 13 32 click --repeat 2 1)
[harness] Press Ctrl+C to end the program and clean up.
EOF
else
    harness_log "the program runs on display $DISPLAY; its icon is in the notification area (or Wine's tray window)."
    harness_log "Press Ctrl+C to end it, or choose Exit from its icon's menu."
fi

set +e
wait "$PROGRAM_PID"
status=$?
set -e
PROGRAM_PID=""
harness_log "the program ended (exit status $status)"
