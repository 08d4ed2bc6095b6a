#!/usr/bin/env bash
# Benchmarks. tools/bench/core_bench.cpp, natively (build/bench-native, no sanitizers): the core on large
# inputs (the text region's scan, a huge Data.Lst, huge settings values). Then builds UpliftBeacon.exe,
# probe.exe, minimal_window.exe, region_bench.exe and start_timer.exe (build/windows) and runs, in a private Wine session
# (prefix build/wineprefix-bench):
#   tools/bench/bench_startup.py   start-up time (window, icon) and resident memory against a minimal window
#                                program, and where the start's time and memory go;
#   tools/bench/bench_display.py   showing lengths seen from outside, processor time during a showing and a
#                                count-down, Escape to the end of a showing, resident memory, and the region benchmark
#                                (about 2.5 minutes).
#   tools/bench/bench_soak.py      (--soak only, on its own) 600 showings with the dialogs opened every 50: resident
#                                memory, kernel handles, windows and GDI objects of the first 100 against the last
#                                100, with a diagnostic build of the program (build/windows-diag) that counts its
#                                GDI objects (about 15 minutes).
#   scripts/bench.sh [--runs N] [--countdown-seconds S] [--interval-us U] [--only core|startup|display] [--soak]
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"
harness_fixed_address_layout "$@"
source "$HARNESS_ROOT/scripts/lib/wine_session.sh"

WINDOWS_BUILD="$HARNESS_BUILD_ROOT/windows"
PREFIX="$HARNESS_BUILD_ROOT/wineprefix-bench"

harness_install_deps
# build/windows is shared with scripts/test.sh: not at the same time.
harness_lock "$HARNESS_BUILD_ROOT/harness/test.lock"

STARTUP_ARGS=()
DISPLAY_ARGS=()
ONLY=""
while (($#)); do
    case "$1" in
    --runs) STARTUP_ARGS+=("$1" "$2"); shift 2 ;;
    --countdown-seconds | --interval-us) DISPLAY_ARGS+=("$1" "$2"); shift 2 ;;
    --only) ONLY="$2"; shift 2 ;;
    --soak) ONLY=soak; shift ;;
    *) harness_die "unknown argument $1 (see the head of $0)" ;;
    esac
done

if [[ -z "$ONLY" || "$ONLY" == core ]]; then
    cmake -S "$HARNESS_ROOT" -B "$HARNESS_BUILD_ROOT/bench-native" -DCMAKE_BUILD_TYPE=Release \
        -DUPLIFT_BUILD_TESTS=OFF >/dev/null
    cmake --build "$HARNESS_BUILD_ROOT/bench-native" -j "$HARNESS_JOBS" --target core_bench
    "$HARNESS_BUILD_ROOT/bench-native/core_bench"
    echo
    [[ "$ONLY" == core ]] && exit 0
fi

trap wine_session_stop EXIT
trap 'exit 130' INT TERM

harness_configure_windows "$WINDOWS_BUILD" "$HARNESS_BUILD_ROOT/wineprefix-test" >/dev/null
cmake --build "$WINDOWS_BUILD" -j "$HARNESS_JOBS" --target UpliftBeacon probe minimal_window region_bench start_timer census

if [[ "$ONLY" == soak ]]; then
    DIAG_BUILD="$HARNESS_BUILD_ROOT/windows-diag"
    harness_configure_windows "$DIAG_BUILD" "$HARNESS_BUILD_ROOT/wineprefix-test" -DUPLIFT_COUNT_GDI_OBJECTS=ON \
        -DUPLIFT_BUILD_TESTS=OFF "-DUPLIFT_DIST_DIR=$DIAG_BUILD/dist" >/dev/null
    cmake --build "$DIAG_BUILD" -j "$HARNESS_JOBS" --target UpliftBeacon
fi

wine_session_start "$PREFIX" bench
wine_session_hold_desktop "$WINDOWS_BUILD/tools/probe.exe"
if [[ "$ONLY" == soak ]]; then
    python3 -B "$HARNESS_ROOT/tools/bench/bench_soak.py" --exe "$DIAG_BUILD/dist/UpliftBeacon.exe" \
        --probe "$WINDOWS_BUILD/tools/probe.exe" --census "$WINDOWS_BUILD/tools/bench/census.exe" \
        --logs "$HARNESS_BUILD_ROOT/harness/bench/soak-logs"
    exit
fi
if [[ -z "$ONLY" || "$ONLY" == startup ]]; then
    python3 -B "$HARNESS_ROOT/tools/bench/bench_startup.py" \
        --exe "$HARNESS_ROOT/dist/UpliftBeacon.exe" \
        --start-timer "$WINDOWS_BUILD/tools/bench/start_timer.exe" \
        --minimal "$WINDOWS_BUILD/tools/minimal_window.exe" \
        --probe "$WINDOWS_BUILD/tools/probe.exe" \
        --logs "$HARNESS_BUILD_ROOT/harness/bench/logs" "${STARTUP_ARGS[@]}"
    echo
fi
if [[ -z "$ONLY" || "$ONLY" == display ]]; then
    python3 -B "$HARNESS_ROOT/tools/bench/bench_display.py" \
        --exe "$HARNESS_ROOT/dist/UpliftBeacon.exe" \
        --probe "$WINDOWS_BUILD/tools/probe.exe" \
        --minimal "$WINDOWS_BUILD/tools/minimal_window.exe" \
        --region-bench "$WINDOWS_BUILD/tools/bench/region_bench.exe" \
        --logs "$HARNESS_BUILD_ROOT/harness/bench/logs" "${DISPLAY_ARGS[@]}"
fi
