#!/usr/bin/env bash
# Runs the libFuzzer targets of tests/fuzz for long (scripts/test.sh replays their corpus and tries a fixed number of
# inputs only), from the native build (build/native: clang, AddressSanitizer and UndefinedBehaviorSanitizer). Each
# target starts from its corpus in the tree (tests/fuzz/corpus/<target>) and what it finds new is kept in
# build/fuzz/found/<target>; at the end both are minimised together (-merge=1) into the tree's corpus. A finding
# (a crash, a leak, a sanitizer report, a slow input) stops that target with its input in build/fuzz/ and makes
# the script fail. Run it niced: it keeps a core busy.
#   scripts/fuzz.sh [--runs N | --seconds S] [target ...]     (default: --seconds 20, every target)
set -uo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"

limit=(-max_total_time=20)
targets=()
while (($#)); do
    case "$1" in
    --runs) limit=(-runs="$2"); shift 2 ;;
    --seconds) limit=(-max_total_time="$2"); shift 2 ;;
    -*) harness_die "unknown argument $1 (see the head of $0)" ;;
    *) targets+=("$1"); shift ;;
    esac
done
if ((${#targets[@]} == 0)); then
    for source in "$HARNESS_ROOT"/tests/fuzz/*_fuzz.cpp; do
        targets+=("$(basename "$source" _fuzz.cpp)")
    done
fi

NATIVE_BUILD="$HARNESS_BUILD_ROOT/native"
WORK="$HARNESS_BUILD_ROOT/fuzz"

harness_install_deps
# build/native is shared with scripts/test.sh: built under its lock, which is let go before the long runs.
harness_lock "$HARNESS_BUILD_ROOT/harness/test.lock"
harness_configure_native "$NATIVE_BUILD" >/dev/null || harness_die "cannot configure $NATIVE_BUILD"
cmake --build "$NATIVE_BUILD" -j "$HARNESS_JOBS" --target "${targets[@]/%/_fuzz}" >/dev/null || harness_die "cannot build"
exec 9>&-
failed=()
for name in "${targets[@]}"; do
    fuzzer="$NATIVE_BUILD/tests/fuzz/${name}_fuzz"
    corpus="$HARNESS_ROOT/tests/fuzz/corpus/$name"
    found="$WORK/found/$name"
    mkdir -p "$found" "$corpus"
    harness_log "$name: ${limit[*]}"
    if ! "$fuzzer" "${limit[@]}" -max_len=4096 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$WORK/$name-" "$found" "$corpus" 2>"$WORK/$name.log"; then
        grep -E '^(==|SUMMARY|artifact_prefix)|Test unit written' "$WORK/$name.log" >&2
        failed+=("$name")
        continue
    fi
    grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$WORK/$name.log" | sed "s/^/[$name] /"
    # The smallest set of inputs that covers what the corpus and the new finds cover, in place of the corpus.
    merged="$WORK/merged-$name"
    rm -rf "$merged" && mkdir -p "$merged"
    "$fuzzer" -merge=1 -max_len=4096 -timeout=10 "$merged" "$corpus" "$found" 2>"$WORK/$name-merge.log" ||
        harness_die "$name: the merge failed (see $WORK/$name-merge.log)"
    rm -rf "$corpus" && mv "$merged" "$corpus" && rm -rf "$found"
    harness_log "$name: corpus of $(find "$corpus" -type f | wc -l) inputs in tests/fuzz/corpus/$name"
done
if ((${#failed[@]})); then
    harness_die "findings in: ${failed[*]} (inputs in $WORK)"
fi
