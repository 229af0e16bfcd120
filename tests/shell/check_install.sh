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
    default|win98|nt351)
        folder="Pendrel Writer" program="Pendrel Writer" uninstaller="Pendrel UnInstall"
        [ "$case_name" = default ] || version=$case_name ;;
    zh_CN) locale=zh_CN.UTF-8 folder="Zelvo文本编辑" program="Zelvo文本编辑" uninstaller="Zelvo文本编辑卸载" ;;
    zh_TW) locale=zh_TW.UTF-8 folder="Zelvo文本編輯" program="Zelvo文本編輯" uninstaller="Zelvo文本編輯卸載" ;;
    *) echo "unknown case $case_name"; exit 2 ;;
esac

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

# One field of lnkinfo's report, such as "Local path".
field() { sed -n "s/^[[:space:]]*$2[[:space:]]*: //p" <<<"$1" | head -n 1; }
same() { [ "${1,,}" = "${2,,}" ]; }

check_link() {
    local file=$1 target=$2 description=$3 info
    if ! info=$(lnkinfo "$file" 2>&1); then
        fail "lnkinfo cannot read $file"
        return
    fi
    same "$(field "$info" "Local path")" "$install\\$target" || fail "$file: local path $(field "$info" "Local path")"
    same "$(field "$info" "Working directory")" "$install" || fail "$file: working directory $(field "$info" "Working directory")"
    same "$(field "$info" "Icon location")" "$install\\$target" || fail "$file: icon $(field "$info" "Icon location")"
    [ "$(field "$info" "Description")" = "$description" ] || fail "$file: description $(field "$info" "Description")"
    echo "lnkinfo agrees: $file"
}

links=("$programs/$folder/$program.lnk" "$programs/$folder/$uninstaller.lnk" "$desktop/$program.lnk")
if [ "$case_name" = nt351 ]; then
    for link in "${links[@]}"; do
        [ ! -e "$link" ] || fail "$link should not exist"
    done
else
    check_link "${links[0]}" Pendrel.exe "$program"
    check_link "${links[1]}" PdUnInstall.exe "$uninstaller"
    check_link "${links[2]}" Pendrel.exe "$program"
fi

rm -f "${links[@]}"
rmdir "$programs/$folder" 2>/dev/null
[ $failures -eq 0 ] || exit 1
echo "PASS $case_name"
