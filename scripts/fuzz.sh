#!/usr/bin/env bash
# Runs every libFuzzer target of tests/fuzz for a while (scripts/test.sh runs each for a fixed number of
# inputs only). The targets come from the native build (build/native, clang, sanitizers); what they find
# stays in build/fuzz/corpus/<target>, beside the seeds of tests/fuzz/seeds/<target>.
# Usage: scripts/fuzz.sh [seconds each]   (default 20)
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"

seconds=${1:-20}
NATIVE_BUILD="$HARNESS_BUILD_ROOT/native"
CORPUS="$HARNESS_BUILD_ROOT/fuzz/corpus"

harness_install_deps
harness_lock "$HARNESS_BUILD_ROOT/harness/test.lock"
harness_configure_native "$NATIVE_BUILD" >/dev/null
for source in "$HARNESS_ROOT"/tests/fuzz/*_fuzz.cpp; do
    name=$(basename "$source" .cpp)
    cmake --build "$NATIVE_BUILD" -j "$HARNESS_JOBS" --target "$name"
    mkdir -p "$CORPUS/$name"
    (cd "$HARNESS_BUILD_ROOT/fuzz" && "$NATIVE_BUILD/tests/fuzz/$name" -max_total_time="$seconds" -max_len=4096 \
        -timeout=10 -rss_limit_mb=2048 "$CORPUS/$name" "$HARNESS_ROOT/tests/fuzz/seeds/${name%_fuzz}")
done
