#!/usr/bin/env bash
# Builds and tests everything on a Debian 12 machine, installing what is missing:
#   1. the native configuration (build/native, clang): the portable core's GoogleTest tests under
#      AddressSanitizer and UndefinedBehaviorSanitizer, and each libFuzzer target for a fixed number of
#      inputs from a fixed seed;
#   2. the Windows configuration (build/windows, mingw-w64): UpliftBeacon.exe, the core's tests again
#      (16-bit wchar_t), the Windows-side tests and the end-to-end tests, run under Wine on a private X
#      display (Xvfb + openbox) with a fresh Wine prefix (build/wineprefix-test) and a persistent wineserver.
# Extra arguments go to both ctest runs (e.g. -R e2e). Exits non-zero when anything fails; the last line
# is the summary of all test runs.
set -uo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"
harness_fixed_address_layout "$@"
source "$HARNESS_ROOT/scripts/lib/wine_session.sh"

CTEST_ARGS=("$@")
NATIVE_BUILD="$HARNESS_BUILD_ROOT/native"
WINDOWS_BUILD="$HARNESS_BUILD_ROOT/windows"
PREFIX="$HARNESS_BUILD_ROOT/wineprefix-test"
RESULTS="$HARNESS_BUILD_ROOT/harness/test-results"
STARTED=$SECONDS
FAILED_STEPS=()

harness_install_deps
harness_lock "$HARNESS_BUILD_ROOT/harness/test.lock"
rm -rf "$RESULTS"
mkdir -p "$RESULTS"

SESSION_UP=0
cleanup() {
    if ((SESSION_UP)); then
        SESSION_UP=0
        wine_session_stop
    fi
}
trap cleanup EXIT
trap 'harness_log "interrupted"; exit 130' INT TERM

step() { printf '\n[harness] ===== %s (%d s) =====\n' "$*" "$((SECONDS - STARTED))" >&2; }

# --- native ------------------------------------------------------------------------------------
step "native: configure and build ($NATIVE_BUILD)"
if harness_configure_native "$NATIVE_BUILD" && cmake --build "$NATIVE_BUILD" -j "$HARNESS_JOBS"; then
    step "native: tests"
    (cd "$NATIVE_BUILD" && ctest --output-on-failure -j "$HARNESS_JOBS" --timeout 600 \
        --output-junit "$RESULTS/native.xml" --output-log "$RESULTS/native-ctest.log" "${CTEST_ARGS[@]}") || FAILED_STEPS+=("native tests")
else
    FAILED_STEPS+=("native build")
fi

# --- Windows under Wine --------------------------------------------------------------------------
step "Wine session"
# Up before the Windows build: test discovery at build time (when a test target asks for it) runs Wine
# through the emulator, in this prefix.
SESSION_UP=1
wine_session_start "$PREFIX" test --fresh

step "windows: configure and build ($WINDOWS_BUILD)"
if harness_configure_windows "$WINDOWS_BUILD" "$PREFIX" && cmake --build "$WINDOWS_BUILD" -j "$HARNESS_JOBS"; then
    step "windows: tests under Wine (display $DISPLAY, prefix $WINEPREFIX)"
    rm -rf "$WINDOWS_BUILD/tests/e2e/logs"
    wine_session_hold_desktop "$WINDOWS_BUILD/tools/probe.exe"
    # Tests that share the desktop, the program's registry key or its single-instance mutex hold a ctest
    # resource lock (see CMakeLists.txt); the others run beside them.
    (cd "$WINDOWS_BUILD" && ctest --output-on-failure -j "$HARNESS_JOBS" --timeout 600 \
        --output-junit "$RESULTS/windows.xml" --output-log "$RESULTS/windows-ctest.log" "${CTEST_ARGS[@]}") || FAILED_STEPS+=("windows tests")
else
    FAILED_STEPS+=("windows build")
fi

cleanup

# --- summary -------------------------------------------------------------------------------------
python3 - "$RESULTS" "$((SECONDS - STARTED))" "${FAILED_STEPS[@]}" <<'EOF'
import os, sys
import xml.etree.ElementTree as ET

results, seconds, failed_steps = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
total = {"passed": 0, "failed": 0, "skipped": 0}
parts = []
failed_names = []
for name in ("native", "windows"):
    path = os.path.join(results, name + ".xml")
    if not os.path.exists(path):
        parts.append("%s: no results" % name)
        continue
    counts = {"passed": 0, "failed": 0, "skipped": 0}
    for case in ET.parse(path).getroot().iter("testcase"):
        status = case.get("status", "run")
        if status == "run" and case.find("failure") is None and case.find("error") is None:
            counts["passed"] += 1
        elif status in ("notrun", "disabled") or case.find("skipped") is not None:
            counts["skipped"] += 1
        else:
            counts["failed"] += 1
            failed_names.append("%s: %s" % (name, case.get("name")))
    for key in total:
        total[key] += counts[key]
    parts.append("%s %d/%d/%d" % (name, counts["passed"], counts["failed"], counts["skipped"]))

print()
for failure in failed_names:
    print("[harness] FAILED %s" % failure)
for step in failed_steps:
    print("[harness] FAILED step: %s" % step)
print("[harness] (passed/failed/skipped) %s; %d s" % ("; ".join(parts), seconds))
print("%d tests passed, %d failed, %d skipped%s" % (
    total["passed"], total["failed"], total["skipped"],
    "" if not failed_steps else " (failed steps: %s)" % ", ".join(failed_steps)))
EOF

if ((${#FAILED_STEPS[@]})); then
    exit 1
fi
exit 0
