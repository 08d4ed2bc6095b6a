#!/bin/sh
# The list file's full-disk test on a small tmpfs of its own ("$@" runs win_tests); skipped where mounting is refused.
dir=$(mktemp -d /tmp/uplift-full-disk.XXXXXX) || exit 1
why=$(mount -t tmpfs -o size=256k tmpfs "$dir" 2>&1) || { rmdir "$dir"; echo "skipped: no small file system: $why"; exit 77; }
trap 'umount -l "$dir" && rmdir "$dir"' EXIT
UPLIFT_FULL_DISK_DIR="Z:$(printf '%s' "$dir" | tr / '\\')" "$@" --gtest_filter='ListFileFullDisk.*'
