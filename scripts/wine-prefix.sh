#!/usr/bin/env bash
# Makes a Wine prefix at $1 for architecture $2 (win32, the default, or win64) once; later
# calls return at once. Parallel callers wait for the first one instead of booting the same
# prefix twice. Where PENDREL_WINEPREFIX_TEMPLATE names a finished prefix of the same
# architecture (the one baked into the 32-bit root, where wineboot takes minutes), the new
# prefix is a copy of it.
# Wine refuses a relative prefix, so the path is made absolute first. A caller waits at most
# PENDREL_PREFIX_WAIT seconds (default 1800: a first wineboot under emulation takes minutes)
# for another one's prefix, then fails rather than hang.
set -u
prefix=$(realpath -m "$1")
arch=${2:-win32}
[ -f "$prefix/.ready" ] && exit 0
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock -w "${PENDREL_PREFIX_WAIT:-1800}" 9 ||
    { echo "wine-prefix: $prefix is still being made by another run after ${PENDREL_PREFIX_WAIT:-1800} s" >&2; exit 1; }
[ -f "$prefix/.ready" ] && exit 0
template=${PENDREL_WINEPREFIX_TEMPLATE:-}
if [ -n "$template" ] && [ -f "$template/.ready" ] && grep -qx "#arch=$arch" "$template/system.reg"; then
    rm -rf "$prefix" "$prefix.copy"
    cp -a "$template" "$prefix.copy" && mv "$prefix.copy" "$prefix" && exit 0
    echo "wine-prefix: cannot copy $template" >&2
    exit 1
fi
here=$(cd "$(dirname "$0")" && pwd)
export PENDREL_WINEPREFIX=$prefix PENDREL_WINEARCH=$arch
run() { "$here/wine-run.sh" --no-prefix "$@" >/dev/null 2>&1; }
run wineboot -i || { echo "wine-prefix: wineboot failed ($arch)" >&2; exit 1; }
# Without a window manager Wine waits about 2 s for every closed top-level window.
run reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
# Wine links the user's Desktop and document folders to the Unix home: make them real
# folders of the prefix, so that tests never write outside it.
for link in "$prefix"/drive_c/users/*/*; do
    if [ -L "$link" ]; then rm -f "$link" && mkdir -p "$link"; fi
done
# A crashing test must fail at once, not wait in the debugger.
run reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d '' /f
run reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /d 0 /f
run reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
"$here/wine-run.sh" --no-prefix --server -w
touch "$prefix/.ready"
