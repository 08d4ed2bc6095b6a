#!/bin/sh
# The list file's full-disk test on a small tmpfs mounted for it ("$@" runs win_tests); skipped, with the
# reason, where mounting is refused (no root, a container without the right).
dir=$(mktemp -d /tmp/uplift-full-disk.XXXXXX) || exit 1
why=$(mount -t tmpfs -o size=256k tmpfs "$dir" 2>&1) || { rmdir "$dir"; echo "skipped: no small file system: $why"; exit 77; }
UPLIFT_FULL_DISK_DIR="Z:$(printf '%s' "$dir" | tr / '\\')" "$@" --gtest_filter='ListFileFullDisk.*'
status=$?
umount -l "$dir" && rmdir "$dir"
exit $status
