#!/usr/bin/env bash
# Breaks the core on purpose, one operator or one bound at a time, and tells which break no native core test
# catches. Each change is made to a scratch copy of the tree (build/mutants/tree), whose native configuration
# (clang, sanitizers) builds only core_tests; the tree itself is never touched.
#
#   tools/mutants.sh               every change
#   tools/mutants.sh -k text_region only the changes whose file or text holds the word
#
# Exit status 1 when a change survives, 2 when the scratch copy does not build or its tests fail unbroken.
set -euo pipefail
# shellcheck source=scripts/lib/common.sh
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib/common.sh"

filter=""
if [[ "${1:-}" == "-k" ]]; then
    filter="${2:?-k needs a word}"
fi

FILES=() FROM=() TO=() NTH=()
# mutant FILE FROM TO [N]: FROM, exactly as written in FILE (the only occurrence, or the Nth), becomes TO.
mutant() {
    FILES+=("$1") FROM+=("$2") TO+=("$3") NTH+=("${4:-0}")
}

# The label-widening rule: which neighbour moves and by how much, frames and other frames' controls left alone.
f=src/core/forms/control_table.cpp
mutant $f 'other.Left <= label.Left ||' 'other.Left < label.Left ||'
mutant $f 'other.Left >= right ||' 'other.Left >= right + gap ||'
mutant $f '|| table[j].Kind == ControlKind::Frame)' '|| table[j].Kind == ControlKind::Panel)'
mutant $f 'if (j == i || table[j].Container != table[i].Container ||' 'if (j == i ||'
mutant $f 'std::min(right, otherRight - 1)' 'std::min(right, otherRight)'
mutant $f 'const int right = label.Left + label.Width + gap;' 'const int right = label.Left + label.Width;'
mutant $f 'other.Top < label.Top + label.Height' 'other.Top <= label.Top + label.Height' 1
mutant $f 'other.Top < label.Top + label.Height' 'other.Top <= label.Top + label.Height' 2
mutant $f 'other.Left > label.Left &&' 'other.Left >= label.Left &&'
mutant $f 'label.Width = std::max(label.Width, right - label.Left);' 'label.Width = right - label.Left;'
# ... and the loops' bounds: the last control of the table is a label or a neighbour like any other.
mutant $f 'i < table.size() && i < rects.size() && i < textWidths.size()' 'i + 1 < table.size() && i < rects.size() && i < textWidths.size()'
mutant $f 'j < table.size()' 'j + 1 < table.size()' 1
mutant $f 'i < table.size() && i < rects.size(); ++i' 'i + 1 < table.size() && i < rects.size(); ++i'
mutant $f 'j < table.size()' 'j + 1 < table.size()' 2

# Surrogate pairs: the icon's tip cut at its length, and pairs in the list file's UTF-8.
f=src/core/app/tray.cpp
mutant $f 'text.back() >= 0xD800' 'text.back() > 0xD800'
mutant $f 'text.back() <= 0xDBFF' 'text.back() < 0xDBFF'
mutant $f 'text.back() <= 0xDBFF' 'text.back() <= 0xDFFF'
f=src/core/affirmations/list_file.cpp
mutant $f 'c >= 0xD800 && c <= 0xDBFF && i + 1' 'c >= 0xD800 && c <= 0xDFFF && i + 1' 1
mutant $f 'c >= 0xD800 && c <= 0xDBFF && i + 1' 'c >= 0xD800 && c <= 0xDFFF && i + 1' 2
mutant $f 'second >= 0xDC00' 'second >= 0xD800'
mutant $f 'second <= 0xDFFF' 'second < 0xDFFF'
mutant $f '(c >= 0xD800 && c <= 0xDFFF) ||' '(c >= 0xDC00 && c <= 0xDFFF) ||'
mutant $f 'lead >= 0xF0 && lead <= 0xF4' 'lead >= 0xF0 && lead <= 0xF7'
mutant $f 'if (lead == 0xF0) low = 0x90;' 'if (lead == 0xF0) low = 0x80;'

# Number texts: a negative value, zero, trailing zeros.
f=src/core/settings/text_forms.cpp
mutant $f 'value < 0 ? L"-" + whole : whole' 'value < 0 ? whole : whole'
mutant $f 'if (text.empty()) return std::nullopt;' ''
mutant $f 'digits.size() > 1 &&' 'digits.size() > 2 &&'
mutant $f '*value < 0 ||' '*value < -1 ||'

# Stored dates: date, time or both; the limits of the calendar; whole seconds.
f=src/core/settings/stored_date.cpp
mutant $f 'DatePart(value) != 0;' 'DatePart(value) > 0;'
mutant $f 'const bool time = !general || DatePart' 'const bool time = DatePart'
mutant $f 'DatePart(value) == 0 || TimePart' 'TimePart'
mutant $f 'if (!IsValidDate(value)) return {};' ''
mutant $f 'if (!IsValidDate(value) || !(ToCivil' 'if (!(ToCivil'
mutant $f 'value = FromWholeSeconds(ToWholeSeconds(value));' ''

# The value name "*" of a key's default value.
f=src/core/settings/registry_path.cpp
mutant $f 'name == L"*"' 'name != L"*"'
mutant $f "find_last_not_of(L' ') - first + 1" "find_last_not_of(L' ') - first"

# Empty and one-pixel images and faces.
f=src/core/display/text_region.cpp
mutant $f 'height <= 0 || pixels.empty()' 'height <= 0'
mutant $f 'while (x < width) {' 'while (x + 1 < width) {'
mutant $f 'if (x == width) break;' 'if (x + 1 == width) break;'
f=src/core/controls/caption_button_face.cpp
mutant $f 'if (width <= 0 || height <= 0)' 'if (width < 0 || height <= 0)'
mutant $f 'if (width <= 0 || height <= 0)' 'if (width <= 0 || height < 0)'
mutant $f 'return std::max(1, static_cast<int>(std::lround' 'return std::max(0, static_cast<int>(std::lround'
mutant $f 'std::max(1, static_cast<int>(scale_ + 0.25))' 'std::max(0, static_cast<int>(scale_ + 0.25))'

# Rules whose former tests were dropped as repeats of others, which catch these.
mutant src/core/affirmations/random.cpp 'z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;' 'z = z ^ (z >> 27);'
mutant src/core/affirmations/random.cpp 'z >> 40' 'z >> 41'
f=src/core/settings/settings.cpp
mutant $f 'Record.Everyday = TimeOfDay(now);' 'Record.Everyday = now;'
mutant $f 'Carried.LastMessageDate = DatePart(now) - 1;' 'Carried.LastMessageDate = DatePart(now);'

scratch="$HARNESS_BUILD_ROOT/mutants"
tree="$scratch/tree"
build="$tree/build/native"
log="$scratch/log"
mkdir -p "$tree" "$log"
# The working tree as it is, uncommitted tests included. Only files whose bytes differ are copied, with a new
# time, so that the copy's build (kept between runs) rebuilds exactly those.
rm -rf "$scratch/incoming"
mkdir -p "$scratch/incoming"
tar -C "$HARNESS_ROOT" --exclude=./build --exclude=./dist --exclude=./.git -cf - . | tar -C "$scratch/incoming" -xf -
(cd "$scratch/incoming" && find . -type f) | while read -r file; do
    if ! cmp -s "$scratch/incoming/$file" "$tree/$file"; then
        mkdir -p "$(dirname "$tree/$file")"
        cp "$scratch/incoming/$file" "$tree/$file"
    fi
done
# ... and files deleted from the tree go from the copy too (a test file moved elsewhere would be built twice).
(cd "$tree" && find . -path ./build -prune -o -type f -print) | while read -r file; do
    [[ -e "$scratch/incoming/$file" ]] || rm -f "$tree/$file"
done
if ! grep -qx "CMAKE_HOME_DIRECTORY:INTERNAL=$tree" "$build/CMakeCache.txt" 2>/dev/null; then
    (HARNESS_ROOT="$tree" harness_configure_native "$build") >"$log/configure.txt" 2>&1 ||
        harness_die "configure failed: $log/configure.txt"
fi

# Builds and runs the core tests: 0 all pass, 1 a test fails (or the run crashes or hangs), 2 no build.
run_tests() {
    cmake --build "$build" --target core_tests -j"$HARNESS_JOBS" >"$log/build.txt" 2>&1 || return 2
    timeout 300 "$build/tests/core/core_tests" --gtest_brief=1 >"$log/run.txt" 2>&1 || return 1
}

status=0
run_tests || status=$?
((status == 0)) || harness_die "the unchanged copy fails ($status): $log/build.txt, $log/run.txt"

survivors=0
for i in "${!FILES[@]}"; do
    file="${FILES[$i]}" from="${FROM[$i]}" to="${TO[$i]}" nth="${NTH[$i]}"
    label="$file: '$from' -> '$to'"
    ((nth > 0)) && label+=" (occurrence $nth)"
    [[ -n "$filter" && "$label" != *"$filter"* ]] && continue
    target="$tree/$file"
    cp "$target" "$log/original"
    trap 'cp "$log/original" "$target"' EXIT
    if ! python3 - "$target" "$from" "$to" "$nth" <<'EOF'; then
import sys
path, old, new, nth = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
text = open(path, encoding="utf-8").read()
count = text.count(old)
if (nth == 0 and count != 1) or nth > count:
    sys.exit(1)
at = -1
for _ in range(max(nth, 1)):
    at = text.index(old, at + 1)
open(path, "w", encoding="utf-8").write(text[:at] + new + text[at + len(old):])
EOF
        trap - EXIT
        echo "STALE     $label (text not found as given)"
        survivors=$((survivors + 1))
        continue
    fi
    status=0
    run_tests || status=$?
    case $status in
    0) echo "SURVIVES  $label"; survivors=$((survivors + 1)) ;;
    1) echo "caught    $label" ;;
    *) echo "no build  $label" ;;
    esac
    cp "$log/original" "$target"
    trap - EXIT
done
# Leave the copy built as the tree is, so that the next run starts from there.
run_tests || true
echo "$survivors change(s) not caught"
((survivors == 0))
