#!/usr/bin/env bash
# One cell of the compatibility matrix: the whole typical install, driven through the real
# wizard by wizard_driver (four pages, success message, exit code 0, files and settings
# checked), under one Windows version setting and one locale; then its shortcuts are read
# back with lnkinfo. Under nt351 the installer takes its version-3 path: the shortcuts go
# under the Windows folder's profiles\USER, whose folders the cell makes first, as an old NT
# system has them.
# Usage: matrix_cell.sh VERSION LOCALE WIZARD_DRIVER   (from the folder of PendrelSetup.exe)
set -u
version=$1 locale=$2 driver=$3
here=$(cd "$(dirname "$0")" && pwd)
scripts=$here/../../scripts
suffix=
[ "${PENDREL_WINEARCH:-win32}" = win64 ] && suffix=64
prefix=${PENDREL_WINEPREFIX:-$(cd "$here/../.." && pwd)/build/wineprefix$suffix}
install='C:\pdgui_typical'
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
. "$here/../shell/link_check.sh"
shortcut_names "$locale"

# Wine's per-program setting touches the installer alone; the cells run one at a time.
key='HKCU\Software\Wine\AppDefaults\PendrelSetup.exe'
trap '"$scripts/wine-run.sh" reg delete "$key" /f >/dev/null 2>&1' EXIT
"$scripts/wine-run.sh" reg add "$key" /v Version /d "$version" /f >/dev/null 2>&1 ||
    { echo "FAIL: cannot set the Windows version"; exit 1; }

users=$prefix/drive_c/users
legacy=
if [ "$version" = nt351 ]; then
    user=$(ls "$users" | grep -vx Public | head -n 1)
    legacy=$prefix/drive_c/windows/profiles/$user
    mkdir -p "$legacy/start menu/programs" "$legacy/Desktop"
fi
remove_links() {
    find "$users" \( -name "$program.lnk" -o -name "$uninstaller.lnk" \) -delete 2>/dev/null
    find "$users" -depth -type d -name "$folder" -empty -delete 2>/dev/null
}
remove_links
LC_ALL=$locale "$scripts/wine-run.sh" "$driver" typical | tr -d '\r' | tee /dev/stderr | grep -q '^PASS typical$' ||
    fail "the typical install did not pass"

if [ -n "$legacy" ]; then
    mapfile -t menu < <(find "$legacy/start menu/programs" -path "*/$folder/*.lnk")
    mapfile -t desk < <(find "$legacy/Desktop" -name "$program.lnk")
    stray=$(find "$users" \( -name "$program.lnk" -o -name "$uninstaller.lnk" \))
    [ -z "$stray" ] || fail "the version-3 path used the shell's folders: $stray"
else
    mapfile -t menu < <(find "$users" -path "*/Programs/$folder/*.lnk")
    mapfile -t desk < <(find "$users" -path "*/Desktop/$program.lnk")
fi
[ ${#menu[@]} = 2 ] || fail "expected two Start-menu entries in \"$folder\", found ${#menu[@]}"
[ ${#desk[@]} = 1 ] || fail "expected one desktop shortcut \"$program\", found ${#desk[@]}"
for link in "${menu[@]}"; do
    case $(basename "$link") in
        "$program.lnk") check_link "$link" "$install" Pendrel.exe "$program" ;;
        "$uninstaller.lnk") check_link "$link" "$install" PdUnInstall.exe "$uninstaller" ;;
        *) fail "unexpected Start-menu entry $link" ;;
    esac
done
[ ${#desk[@]} = 0 ] || check_link "${desk[0]}" "$install" Pendrel.exe "$program"
[ -z "$legacy" ] || rm -rf "$prefix/drive_c/windows/profiles"
remove_links
[ $failures = 0 ] || exit 1
echo "PASS matrix $version $locale"
