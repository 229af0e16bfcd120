#!/usr/bin/env bash
# The display check is real: with a GB2312 font on the system the sample line reads as
# Chinese; with no Chinese font at all it does not, while every atlas caption still does.
# Usage: display_check.sh RENDER_SCREENSHOT_EXE   (from the folder of PendrelSetup.exe)
set -u -o pipefail
exe=$1
scripts=$(cd "$(dirname "$0")/../../scripts" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

"$scripts/wine-run.sh" "$exe" render_demo.png yes | tr -d '\r' || failures=$((failures + 1))

# A font configuration of the system's font folders that hold no Chinese font leaves Wine
# its Latin fonts and no Chinese one; a copy of the prefix forgets the system fonts it has already registered (the registry's font
# lists, which Wine loads by path whatever fontconfig says).
suffix=
[ "${PENDREL_WINEARCH:-win32}" = win64 ] && suffix=64
prefix=${PENDREL_WINEPREFIX:-$scripts/../build/wineprefix$suffix}
"$scripts/wine-run.sh" --server -w
cp -a "$prefix" "$work/prefix"
chinese=$(fc-list :lang=zh file | sed 's|/[^/]*: *$||' | sort -u)
{
    echo '<?xml version="1.0"?><!DOCTYPE fontconfig SYSTEM "fonts.dtd"><fontconfig>'
    fc-list : file | sed 's|/[^/]*: *$||' | sort -u | grep -vxF "$chinese" | sed 's|.*|<dir>&</dir>|'
    echo "<cachedir>$work/cache</cachedir></fontconfig>"
} >"$work/fonts.conf"
FONTCONFIG_FILE=$work/fonts.conf fc-list :lang=zh | grep -q . && { echo "FAIL: a Chinese font is left"; exit 1; }
sed -i '/"Z:\\\\usr\\\\share\\\\fonts/d' "$work/prefix/system.reg" "$work/prefix/user.reg"
export PENDREL_WINEPREFIX=$work/prefix FONTCONFIG_FILE=$work/fonts.conf
"$scripts/wine-run.sh" "$exe" render_nofont.png no | tr -d '\r' ||
    failures=$((failures + 1))
"$scripts/wine-run.sh" --server -k
[ $failures = 0 ] || exit 1
echo "PASS display check"
