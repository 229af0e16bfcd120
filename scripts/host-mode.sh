#!/usr/bin/env bash
# Decides how this host runs the shipped PE32's tests, prints the decision and its reason in
# one line, and writes it to $1 for the build:
#   PENDREL_MODE=1    wine32 runs here: the PE32 suite runs on this host
#   PENDREL_MODE=2    the kernel runs i386 programs but wine32 is not installed: the PE32
#                     suite runs in full inside the 32-bit Debian root, entered by chroot
#   PENDREL_MODE=3    the kernel cannot run i386 programs: the root is booted under
#                     qemu-system-i386 (software emulation) and the PE32 tests labelled
#                     "guest" run there; the rest of the PE32 suite is skipped, with the reason
#   PENDREL_MODE=64   none of these: every PE32 test is skipped, with the reason
#   PENDREL_RUN32=1|0        whether the PE32 suite runs on this host itself (mode 1)
#   PENDREL_SKIP32=...       why no PE32 test runs (mode 64)
#   PENDREL_GUEST_SKIP=...   why a PE32 test outside the guest subset does not run (mode 3)
# The 64-bit suite runs on this host in every mode, so its path never goes stale.
# PENDREL_WIN64_ONLY=1 forces mode 64; PENDREL_FORCE_GUEST=1 forces mode 3 on a host that
# could do more (to try the emulated guest where it is not needed).
set -u
out=$1
here=$(cd "$(dirname "$0")" && pwd)
build=$(dirname "$out")
mkdir -p "$build"
. "$here/i386-root/common.sh"

# Whether this host can make (as root) or already has the 32-bit root of a kind.
root_usable() {
    [ "$(id -u)" = 0 ] && command -v debootstrap >/dev/null && return 0
    [ -f "$(root_path "$1")/.ready" ]
}

wine32_runs() {
    if ! dpkg-query -W -f='${Status}\n' wine32:i386 2>/dev/null | grep -q '^install ok installed$'; then
        echo "wine32:i386 is not installed"; return 1
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

# Prints the reason and returns the mode.
decide() {
    if [ "${PENDREL_WIN64_ONLY:-0}" = 1 ]; then
        echo "PENDREL_WIN64_ONLY=1 asks for the 64-bit mode"; return 64
    fi
    local why
    if [ "${PENDREL_FORCE_GUEST:-0}" = 1 ]; then
        why="PENDREL_FORCE_GUEST=1 asks for the emulated guest"
    elif ! "$here/kernel-runs-i386.sh"; then
        why="this kernel cannot run i386 programs"
    elif why=$(wine32_runs); then
        echo "$why"; return 1
    elif root_usable chroot; then
        echo "the kernel runs i386 programs; $why"; return 2
    else
        echo "$why; the 32-bit root needs root and debootstrap to be made"; return 64
    fi
    if ! command -v qemu-system-i386 >/dev/null; then
        echo "$why and qemu-system-i386 is not installed"; return 64
    fi
    if ! root_usable qemu; then
        echo "$why; the 32-bit root needs root and debootstrap to be made"; return 64
    fi
    echo "$why"; return 3
}

reason=$(decide)
mode=$?
run32=0 skip32= guest_skip=
case $mode in
    1) run32=1
       echo "host mode 1: PE32 and 64-bit suites on this host ($reason)" ;;
    2) echo "host mode 2: the PE32 suite in the 32-bit root by chroot, the 64-bit suite on this host ($reason)" ;;
    3) guest_skip="outside the subset (label guest) that the emulated 32-bit guest runs: $reason"
       echo "host mode 3: a PE32 subset in the 32-bit root under qemu-system-i386, the 64-bit suite on this host ($reason)" ;;
    *) skip32=$reason
       echo "host mode: 64-bit suite only, PE32 tests skipped ($reason)" ;;
esac
printf 'PENDREL_MODE=%s\nPENDREL_RUN32=%s\nPENDREL_SKIP32=%s\nPENDREL_GUEST_SKIP=%s\n' \
    "$mode" "$run32" "$skip32" "$guest_skip" >"$out"
