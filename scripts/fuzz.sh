#!/bin/sh
# Builds the libFuzzer target of the settings text readers and runs it.
# Usage: scripts/fuzz.sh [seconds]   (default 20)
set -eu
seconds=${1:-20}
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/build/fuzz
mkdir -p "$out/corpus"

clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$root/src/core" \
    "$root/tests/fuzz/text_forms_fuzz.cpp" \
    "$root/src/core/common/date_time.cpp" \
    "$root/src/core/common/regional_formats.cpp" \
    "$root/src/core/settings/text_forms.cpp" \
    "$root/src/core/settings/settings.cpp" \
    -o "$out/text_forms_fuzz"

# A few stored texts to start from, two bytes a character like the target reads them.
seed() { printf '%b' "$2" | iconv -f UTF-8 -t UTF-16LE >"$out/corpus/seed-$1"; }
seed date '12/6/2026 1:05:09 PM'
seed time '7:30 am'
seed size '10,5'
seed bool ' -1.5 '
seed store 'True\0000False\0000Arial\000048\0000False\0000True\0000False\0000Hello\00007\0000False\0000True\000016777215\00000\000012/6/2026 1:05:09 PM\00007:30:15 AM\00002\00001\000010\0000-5\000012/5/2026\0000True'

cd "$out"
exec ./text_forms_fuzz -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 corpus
