#!/bin/sh
# Builds every libFuzzer target in tests/fuzz (each *_fuzz.cpp with the whole core) and runs each.
# Usage: scripts/fuzz.sh [seconds each]   (default 20)
set -eu
seconds=${1:-20}
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/build/fuzz
core_sources=$(find "$root/src/core" "$root/tests/support" -name '*.cpp' | sort)

targets=
for source in "$root"/tests/fuzz/*_fuzz.cpp; do
    name=$(basename "$source" .cpp)
    mkdir -p "$out/corpus/$name"
    # shellcheck disable=SC2086 # one word per core source
    clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
        -I"$root/src/core" -I"$root/tests/support" "$source" $core_sources -o "$out/$name"
    targets="$targets $name"
done

# A few stored texts to start from, two bytes a character like the target reads them.
seed() { printf '%b' "$2" | iconv -f UTF-8 -t UTF-16LE >"$out/corpus/text_forms_fuzz/seed-$1"; }
seed date '12/6/2026 1:05:09 PM'
seed time '7:30 am'
seed size '10,5'
seed bool ' -1.5 '
seed store 'True\0000False\0000Arial\000048\0000False\0000True\0000False\0000Hello\00007\0000False\0000True\000016777215\00000\000012/6/2026 1:05:09 PM\00007:30:15 AM\00002\00001\000010\0000-5\000012/5/2026\0000True'

# Lists as the program writes them and as hands damage them.
list_seed() { printf '%b' "$2" >"$out/corpus/list_file_fuzz/seed-$1"; }
list_seed ansi '"Be calm, be kind"\r\n"caf\0351"\r\n'
list_seed utf8 '\0357\0273\0277"\0346\0227\0245\0346\0234\0254"\r\n"\0342\0234\0223"\r\n'
list_seed hand ' Be calm, be kind \r\r\n"open\n"a"tail,b\0000c'

cd "$out"
for name in $targets; do
    ./"$name" -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 "corpus/$name"
done
