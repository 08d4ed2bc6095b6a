#!/usr/bin/env bash
# Draws the program's icons (enabled: a lit beacon; disabled: the same, unlit and grey) with
# ImageMagick and writes them into src/win/res. Run by hand when the artwork changes.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
res=$here/../../src/win/res
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

draw() { # $1 out.png, $2 background, $3 light, $4 rays
    convert -size 256x256 xc:none \
        -fill "$2" -draw "roundrectangle 8,8 247,247 48,48" \
        -stroke "$4" -strokewidth 14 -draw "line 128,40 128,70" -draw "line 128,186 128,216" \
        -draw "line 40,128 70,128" -draw "line 186,128 216,128" \
        -draw "line 66,66 88,88" -draw "line 168,168 190,190" -draw "line 190,66 168,88" -draw "line 66,190 88,168" \
        -stroke none -fill "$3" -draw "circle 128,128 128,78" \
        "$1"
}

draw "$tmp/on.png" "#1f5fbf" "#ffd23f" "#ffe680"
draw "$tmp/off.png" "#6b6b6b" "#b8b8b8" "#8f8f8f"
for look in on off; do
    for size in 16 24 32 48 64 256; do
        convert "$tmp/$look.png" -resize ${size}x${size} "$tmp/$look-$size.png"
    done
done
convert "$tmp"/on-{16,24,32,48,64,256}.png "$res/UpliftBeacon.ico"
convert "$tmp"/off-{16,24,32,48,64,256}.png "$res/UpliftBeaconDisabled.ico"

# The installer's: the lit beacon with a green arrow pointing down into its lower right corner.
convert "$tmp/on.png" -stroke none -fill "#ffffff" -draw "circle 184,184 184,250" \
    -fill "#2e9e3e" -draw "circle 184,184 184,242" \
    -fill "#ffffff" -draw "polygon 164,150 204,150 204,184 226,184 184,226 142,184 164,184" "$tmp/setup.png"
for size in 16 24 32 48 64 256; do
    convert "$tmp/setup.png" -resize ${size}x${size} "$tmp/setup-$size.png"
done
convert "$tmp"/setup-{16,24,32,48,64,256}.png "$here/../../installer/UpliftBeaconSetup.ico"
# The side picture of the installer's first and last pages (164x314, as the wizard lays it out).
convert -size 164x314 gradient:'#2b73d6-#0f3a80' \( "$tmp/on.png" -resize 120x120 \) -gravity north \
    -geometry +0+40 -composite -type TrueColor BMP3:"$here/../../installer/UpliftBeaconWizard.bmp"
