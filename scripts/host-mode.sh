#!/usr/bin/env bash
# Decides whether this host can run 32-bit Windows programs, prints the decision and its
# reason in one line, and writes it to $1 for the build:
#   PENDREL_RUN32=1|0   whether the PE32 suite runs
#   PENDREL_SKIP32=...  why it does not (empty when it does)
# The 64-bit suite runs in both modes, so its path never goes stale.
set -u
out=$1
here=$(cd "$(dirname "$0")" && pwd)
build=$(dirname "$out")
mkdir -p "$build"

decide() {
    if [ "${PENDREL_WIN64_ONLY:-0}" = 1 ]; then
        echo "PENDREL_WIN64_ONLY=1 asks for the 64-bit mode"; return 1
    fi
    if ! dpkg-query -W -f='${Status}\n' wine32:i386 2>/dev/null | grep -q '^install ok installed$'; then
        echo "wine32:i386 is not installed"; return 1
    fi
    # The i386 loader itself: a kernel without IA32 emulation refuses it at once.
    if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
        echo "this kernel cannot run i386 programs (wine32's loader does not start)"; return 1
    fi
    local probe=$build/probe32.exe
    printf 'int main(void) { return 42; }\n' |
        i686-w64-mingw32-gcc -x c - -o "$probe" 2>/dev/null || { echo "cannot build the 32-bit probe"; return 1; }
    if ! "$here/wine-prefix.sh" "$build/wineprefix" win32 >/dev/null 2>&1; then
        echo "wineboot fails in a 32-bit prefix"; return 1
    fi
    PENDREL_WINEARCH=win32 "$here/wine-run.sh" "$probe" >/dev/null 2>&1
    local status=$?
    [ $status = 42 ] || { echo "a 32-bit test program ended with $status instead of 42 under wine32"; return 1; }
    echo "wine32 runs a 32-bit test program"
}

reason=$(decide)
if [ $? = 0 ]; then
    echo "host mode: PE32 and 64-bit suites ($reason)"
    printf 'PENDREL_RUN32=1\nPENDREL_SKIP32=\n' >"$out"
else
    echo "host mode: 64-bit suite only, PE32 tests skipped ($reason)"
    printf 'PENDREL_RUN32=0\nPENDREL_SKIP32=%s\n' "$reason" >"$out"
fi
