#!/usr/bin/env bash
# A downloaded installer sits beside whatever else was downloaded: decoy DLLs under the
# names the installer and the system DLLs it uses load must never be loaded from there.
# Each name is set native-first, the order Windows uses for DLLs outside its known-DLL list
# (Wine's default would put its builtin first and test nothing). The names are those outside
# Windows's known-DLL list: known DLLs (kernel32, user32, gdi32, msvcrt, advapi32, shell32,
# ole32, comdlg32, ...) always come from the system folder, so planting them does nothing.
# Usage: planted_dll.sh WIZARD_DRIVER DECOY_DLL DECOY_PROBE   (from the folder of PendrelSetup.exe)
set -u
driver=$1 decoy=$2 probe=$3
scripts=$(cd "$(dirname "$0")/../../scripts" && pwd)
names=(comctl32 uxtheme version msimg32 dwmapi winmm oleacc riched20 propsys cryptbase userenv
       profapi sspicli cryptsp wtsapi32 netapi32 winspool.drv)
downloads=$PWD/planted
rm -rf "$downloads"
mkdir -p "$downloads"
cp PendrelSetup.exe "$probe" "$downloads/"
overrides="winemenubuilder.exe=d;mscoree=d;mshtml=d"
for name in "${names[@]}"; do
    file=$name
    [ "${name%.drv}" != "$name" ] || file=$name.dll
    cp "$decoy" "$downloads/$file"
    overrides="$overrides;$name=n,b"
done
export WINEDLLOVERRIDES=$overrides
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The decoys work: a program that loads version.dll by name from this folder gets the decoy.
(cd "$downloads" && "$scripts/wine-run.sh" "$(basename "$probe")" >/dev/null 2>&1)
[ -e "$downloads/version.dll.planted" ] || fail "the control run did not load the decoy: the test would prove nothing"
rm -f "$downloads"/*.planted

for scenario in picker_ok typical; do
    (cd "$downloads" && "$scripts/wine-run.sh" "$driver" $scenario) | tr -d '\r' | grep -q "^PASS $scenario$" ||
        fail "$scenario did not pass with the decoys beside the installer"
    for marker in "$downloads"/*.planted; do
        [ ! -e "$marker" ] || fail "$scenario loaded $(basename "$marker" .planted) from the installer's folder"
    done
done
rm -rf "$downloads"
[ $failures = 0 ] || exit 1
echo "PASS planted DLLs"
