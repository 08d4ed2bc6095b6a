#!/usr/bin/env bash
# Builds the Release configuration and writes the release files to build/release/, installing what is
# missing first:
#   UpliftBeaconPlus-<version>-setup.exe     the per-user installer (makensis)
#   UpliftBeaconPlus-<version>-portable.zip  a folder of that name: the program, Affirmations\, the help file
#   SHA256SUMS                               of both
# <version> is the project's (project(VERSION ...) in CMakeLists.txt). The build has a ready-to-run folder of
# its own (build/release-build/dist), so nothing a local run left in dist/ can slip in; two runs in the same
# tree give the same zip, byte for byte.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"

[[ "${1:-}" == -h || "${1:-}" == --help ]] && { sed -n '2,10p' "$0"; exit 0; }

BUILD="$HARNESS_BUILD_ROOT/release-build"
OUT="$HARNESS_BUILD_ROOT/release"
VERSION="$(sed -n 's/^project([A-Za-z]* VERSION \([0-9.]*\).*/\1/p' "$HARNESS_ROOT/CMakeLists.txt")"
[[ -n "$VERSION" ]] || harness_die "no project(... VERSION ...) in CMakeLists.txt"
NAME="UpliftBeaconPlus-$VERSION"

harness_install_deps
harness_log "building the release of $VERSION ($BUILD)"
cmake -S "$HARNESS_ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$HARNESS_TOOLCHAIN" \
    -DUPLIFT_BUILD_TESTS=OFF -DUPLIFT_DIST_DIR="$BUILD/dist" >/dev/null
cmake --build "$BUILD" -j "$HARNESS_JOBS" --target installer

rm -rf "$OUT"
mkdir -p "$OUT"
cp "$BUILD/installer/$NAME-setup.exe" "$OUT/"
python3 "$HARNESS_ROOT/installer/portable_zip.py" "$BUILD/dist" "$HARNESS_ROOT/data/Affirmations" \
    "$OUT/$NAME-portable.zip" "$NAME-portable"
(cd "$OUT" && sha256sum "$NAME-setup.exe" "$NAME-portable.zip" >SHA256SUMS)
harness_log "release files in $OUT:"
(cd "$OUT" && ls -l "$NAME-setup.exe" "$NAME-portable.zip" SHA256SUMS >&2)
