#!/usr/bin/env bash
# Makes the README's pictures of every screen: docs/screens/*.png (the four pages, the
# Chinese licence, the progress bar during an install, a message box and the folder picker).
# The GUI driver walks the built installer under Wine and saves each screen as it checks it.
# It uses the PE32 where it runs at native speed (in the 32-bit root by chroot) and the
# 64-bit build of the same sources elsewhere, on the current X display or, without one, on a
# virtual 1024x768 screen.
#   scripts/screenshots.sh            build first (make build / make build64), then shoot
set -eu
here=$(cd "$(dirname "$0")" && pwd)
top=$(dirname "$here")
cd "$top"
make -s mode >/dev/null
in_root=()
if grep -q '^PENDREL_MODE=chroot' build/mode; then
    make -s build >/dev/null
    arch=win32 tree=build/win in_root=("$here/i386-root/run.sh" chroot)
else
    make -s build64 >/dev/null
    arch=win64 tree=build/win64
fi
out=$top/docs/screens
mkdir -p "$out"
rm -f "$out"/*.png
# Wine sees the Linux root as drive Z:.
target="Z:$(printf '%s' "$out" | tr / '\\')"
cd "$tree"
PENDREL_WINEARCH=$arch "${in_root[@]}" "$here/with-display.sh" "$here/wine-run.sh" tests/gui/wizard_driver.exe screens "$target"
ls "$out"
