#!/usr/bin/env bash
# Runs shell_install for one case (default, win98, nt351, zh_CN, zh_TW) in the build tree's
# prefix, then reads the shortcuts it left with lnkinfo and removes them.
# Usage: check_install.sh CASE SHELL_INSTALL_EXE   (from the folder holding PendrelSetup.exe)
set -u
case_name=$1
helper=$2
here=$(cd "$(dirname "$0")" && pwd)
scripts=$here/../../scripts
suffix=
[ "${PENDREL_WINEARCH:-win32}" = win64 ] && suffix=64
prefix=${PENDREL_WINEPREFIX:-$(cd "$here/../.." && pwd)/build/wineprefix$suffix}
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

locale=en_US.UTF-8
version=
case $case_name in
    default) ;;
    win98|nt351) version=$case_name ;;
    zh_CN|zh_TW) locale=$case_name.UTF-8 ;;
    *) echo "unknown case $case_name"; exit 2 ;;
esac
. "$here/link_check.sh"
shortcut_names "$locale"

exe=$helper
if [ -n "$version" ]; then
    # A copy of its own: Wine's per-program setting then touches no other test program.
    exe=$(dirname "$helper")/shell_install_$version.exe
    cp "$helper" "$exe" || exit 1
    key="HKCU\\Software\\Wine\\AppDefaults\\$(basename "$exe")"
    trap '"$scripts/wine-run.sh" reg delete "$key" /f >/dev/null 2>&1' EXIT
    "$scripts/wine-run.sh" reg add "$key" /v Version /d "$version" /f >/dev/null 2>&1 ||
        { echo "FAIL: cannot set the Windows version"; exit 1; }
fi

output=$(LC_ALL=$locale "$scripts/wine-run.sh" "$exe" "$case_name" | tr -d '\r')
status=$?
echo "$output"
[ $status -eq 0 ] || fail "shell_install exited with $status"

value() { sed -n "s/^$1=//p" <<<"$output"; }
unix_path() { local p=${1#[Cc]:\\}; echo "$prefix/drive_c/${p//\\//}"; }
programs=$(unix_path "$(value programs)")
desktop=$(unix_path "$(value desktop)")
install=$(value install)
[ -n "$install" ] || fail "no install folder reported"

links=("$programs/$folder/$program.lnk" "$programs/$folder/$uninstaller.lnk" "$desktop/$program.lnk")
if [ "$case_name" = nt351 ]; then
    for link in "${links[@]}"; do
        [ ! -e "$link" ] || fail "$link should not exist"
    done
else
    check_link "${links[0]}" "$install" Pendrel.exe "$program"
    check_link "${links[1]}" "$install" PdUnInstall.exe "$uninstaller"
    check_link "${links[2]}" "$install" Pendrel.exe "$program"
fi

rm -f "${links[@]}"
rmdir "$programs/$folder" 2>/dev/null
[ $failures -eq 0 ] || exit 1
echo "PASS $case_name"
