#!/bin/sh
# Runs the list file's full-disk test on a small tmpfs mounted for it: "$@" runs win_tests. Where mounting is
# refused (no root, a container without the right), the test reports itself skipped with the reason.
dir=$(mktemp -d /tmp/uplift-full-disk.XXXXXX) || exit 1
if ! why=$(mount -t tmpfs -o size=256k tmpfs "$dir" 2>&1); then
    rmdir "$dir"
    echo "skipped: a small file system cannot be mounted here: $why"
    exit 77
fi
UPLIFT_FULL_DISK_DIR="Z:$(printf '%s' "$dir" | tr / '\\')" "$@" --gtest_filter='ListFileFullDisk.*'
status=$?
umount -l "$dir" && rmdir "$dir"
exit $status
