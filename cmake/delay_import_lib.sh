#!/bin/sh
# delay_import_lib.sh <nm> <dlltool> <import library> <dll name> <output library>
# Makes a delay-load import library from a mingw-w64 import library: the DLL is then loaded when one of
# its functions is first called, through the program's default DLL directories (the system folder only),
# not at start-up by the loader's search, which looks beside the program first.
set -eu
nm=$1 dlltool=$2 lib=$3 dll=$4 out=$5
def="$out.def"
{
    echo "LIBRARY $dll"
    echo "EXPORTS"
    "$nm" "$lib" | awk '$2 == "I" && $3 ~ /^__imp_/ { sub("^__imp_", "", $3); print $3 }' | sort -u
} >"$def"
"$dlltool" --input-def "$def" --dllname "$dll" --output-delaylib "$out"
