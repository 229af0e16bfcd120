#!/usr/bin/env bash
# Makes a 32-bit Wine prefix at $1 once; later calls return at once. Parallel callers
# wait for the first one instead of booting the same prefix twice.
set -u
prefix=$1
[ -f "$prefix/.ready" ] && exit 0
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
[ -f "$prefix/.ready" ] && exit 0
export WINEPREFIX=$prefix WINEARCH=win32 WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
wineboot -i >/dev/null 2>&1 || { echo "wine-prefix: wineboot failed" >&2; exit 1; }
# Without a window manager Wine waits about 2 s for every closed top-level window.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
# Wine links the user's Desktop and document folders to the Unix home: make them real
# folders of the prefix, so that tests never write outside it.
for link in "$prefix"/drive_c/users/*/*; do
    if [ -L "$link" ]; then rm -f "$link" && mkdir -p "$link"; fi
done
# A crashing test must fail at once, not wait in the debugger.
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d '' /f >/dev/null 2>&1
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /d 0 /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
wineserver -w
touch "$prefix/.ready"
