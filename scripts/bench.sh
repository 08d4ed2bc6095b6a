#!/usr/bin/env bash
# Start-up benchmark: builds UpliftBeacon.exe, probe.exe and minimal_window.exe (build/windows) and runs
# tests/e2e/bench_startup.py in a private Wine session (prefix build/wineprefix-bench).
#   scripts/bench.sh [--runs N]
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"
source "$HARNESS_ROOT/scripts/lib/wine_session.sh"

WINDOWS_BUILD="$HARNESS_BUILD_ROOT/windows"
PREFIX="$HARNESS_BUILD_ROOT/wineprefix-bench"

harness_install_deps
# build/windows is shared with scripts/test.sh: not at the same time.
harness_lock "$HARNESS_BUILD_ROOT/harness/test.lock"

trap wine_session_stop EXIT
trap 'exit 130' INT TERM

harness_configure_windows "$WINDOWS_BUILD" "$HARNESS_BUILD_ROOT/wineprefix-test" >/dev/null
cmake --build "$WINDOWS_BUILD" -j "$HARNESS_JOBS" --target UpliftBeacon probe minimal_window

wine_session_start "$PREFIX" bench
python3 -B "$HARNESS_ROOT/tests/e2e/bench_startup.py" \
    --exe "$HARNESS_ROOT/dist/UpliftBeacon.exe" \
    --probe "$WINDOWS_BUILD/tools/probe.exe" \
    --minimal "$WINDOWS_BUILD/tools/minimal_window.exe" "$@"
