#!/usr/bin/env bash
# Runs a command on two monitors side by side, inside a Wine session (DISPLAY and WINEPREFIX set, as
# scripts/test.sh and scripts/run.sh make one):
#
#   scripts/two_monitors.sh <command> [arguments]
#
# A nested X server (Xephyr) on the current display shows a 1280x800 primary screen and a 1024x768 one right
# of it; a copy of WINEPREFIX with a wineserver of its own reads them as two monitors. The command runs with
# DISPLAY and WINEPREFIX pointing at them (e.g. `scripts/two_monitors.sh wine dist/UpliftBeacon.exe`); when it
# ends, everything started here stops and the copy goes. Without a session or Xephyr it exits with 77
# (skipped).
set -uo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"
harness_fixed_address_layout "$@"
source "$HARNESS_ROOT/scripts/lib/wine_session.sh"

(($#)) || harness_die "usage: scripts/two_monitors.sh <command> [arguments]"
if [[ -z "${WINEPREFIX:-}" || ! -d "$WINEPREFIX" || -z "${DISPLAY:-}" ]]; then
    echo "SKIPPED: no Wine session (WINEPREFIX and DISPLAY)"
    exit 77
elif ! command -v Xephyr >/dev/null 2>&1; then
    echo "SKIPPED: Xephyr is missing (the package xserver-xephyr)"
    exit 77
fi

PLACE="$(mktemp -d /tmp/uplift-monitors-XXXXXX)"
cleanup() {
    wine_session_stop
    rm -rf "$PLACE"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

wine_session_start "$PLACE/prefix" two-monitors --copy-of "$WINEPREFIX" --display two-monitors
# The desktop held as the harness holds it, when there is a probe to hold it with.
[[ -n "${UPLIFT_PROBE:-}" ]] && wine_session_hold_desktop "$UPLIFT_PROBE"
"$@"
