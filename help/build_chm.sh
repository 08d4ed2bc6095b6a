#!/bin/sh
# Compiles the help project into UpliftBeacon.chm.
#
# Usage: build_chm.sh CHMCMD PROJECT_DIR OUTPUT_CHM
#
# chmcmd records the page of each context number with the full path of the project folder, which the
# help viewer then cannot find inside the file. So the project is compiled at the root of a small tree
# of its own (the project files, chmcmd and what it loads), entered with chroot: there the project
# folder is "/" and every recorded page is just the page's name. Root uses chroot directly; anyone else
# goes through a user namespace (unshare -r).
set -eu

chmcmd=$(command -v "$1")
project=$2
output=$3

root=$(mktemp -d "${TMPDIR:-/tmp}/uplift-help.XXXXXX")
trap 'rm -rf "$root"' EXIT INT TERM

cp -R "$project"/. "$root"/
# Popup texts are read with Windows line ends.
sed 's/\r*$/\r/' "$project/TextPopups.Txt" >"$root/TextPopups.Txt"

# The compiler and the libraries it links and opens at run time (threads, UTF-16 conversion).
program=$(readlink -f "$chmcmd")
mkdir -p "$root/bin"
cp "$program" "$root/bin/chmcmd"
libs=$(ldd "$program" | grep -o '/[^ ]*')
libdir=$(dirname "$(echo "$libs" | grep '/libc\.so' | head -n 1)")
gconv=/usr/lib/$(basename "$libdir")/gconv
for file in $libs "$libdir/libpthread.so.0" "$gconv/gconv-modules.cache" "$gconv/UTF-16.so"; do
    [ -e "$file" ] || continue
    mkdir -p "$root$(dirname "$file")"
    cp -L "$file" "$root$file"
done

if [ "$(id -u)" = 0 ]; then
    enter="chroot"
else
    enter="unshare -r chroot"
fi
if ! env -i LC_ALL=C PATH=/usr/sbin:/usr/bin:/sbin:/bin $enter "$root" /bin/chmcmd /UpliftBeacon.hhp \
    >"$root/log.txt" 2>&1 || [ ! -s "$root/UpliftBeacon.chm" ]; then
    cat "$root/log.txt" >&2
    echo "build_chm.sh: chmcmd failed on $project (run through \"$enter\", which needs root or user namespaces)" >&2
    exit 1
fi
cp "$root/UpliftBeacon.chm" "$output"
