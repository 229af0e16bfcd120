#!/usr/bin/env bash
# Runs a Windows program under Wine in the build tree's own prefix, made on first use.
#   PENDREL_WINEARCH   win32 (default): the PE32 under wine32, prefix build/wineprefix
#                      win64: the 64-bit build under wine64, prefix build/wineprefix64
#   PENDREL_WINEPREFIX another prefix
# --server runs wineserver with the remaining arguments instead of a program;
# --no-prefix skips making the prefix (wine-prefix.sh itself uses it).
set -u
here=$(cd "$(dirname "$0")" && pwd)
export WINEARCH=${PENDREL_WINEARCH:-win32}
if [ "$WINEARCH" = win64 ]; then
    default_prefix=$here/../build/wineprefix64
    # The wine wrapper prefers wine32 whenever it is installed, even where it cannot run.
    loader=/usr/lib/wine/wine64
else
    default_prefix=$here/../build/wineprefix
    loader=/usr/lib/wine/wine
fi
# Debian's wineserver serves prefixes of both kinds.
server=/usr/lib/wine/wineserver
export WINELOADER=$loader WINESERVER=$server
# Wine refuses a relative prefix.
export WINEPREFIX=$(realpath -m "${PENDREL_WINEPREFIX:-$default_prefix}")
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"winemenubuilder.exe=d;mscoree=d;mshtml=d"}
make_prefix=1
[ "${1:-}" = --no-prefix ] && { make_prefix=0; shift; }
[ $make_prefix = 0 ] || "$here/wine-prefix.sh" "$WINEPREFIX" "$WINEARCH" || exit 1
if [ "${1:-}" = --server ]; then
    shift
    exec "$server" "$@"
fi
exec "$loader" "$@"
