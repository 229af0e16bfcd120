#!/usr/bin/env bash
# Runs a Windows program under Wine in the build tree's own prefix, made on first use.
set -u
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX=${PENDREL_WINEPREFIX:-$here/../build/wineprefix}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
"$here/wine-prefix.sh" "$WINEPREFIX" || exit 1
exec wine "$@"
