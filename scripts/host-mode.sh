#!/usr/bin/env bash
# Decides where this host runs the shipped PE32's tests (scripts/mode-plan.sh), prints the
# decision and its reason in one line, and writes it to $1 for the build:
#   PENDREL_MODE=chroot|guest|64
#   PENDREL_SKIP32=...       why no PE32 test runs (mode 64)
#   PENDREL_GUEST_SKIP=...   why a PE32 test outside the guest subset does not run (guest)
# Fails, with the reason, where a root host whose kernel runs i386 programs cannot run the
# PE32 suite in the chroot: that host must never pass with the PE32 suite skipped.
# The 64-bit suite runs on this host in every mode.
set -u
out=$(realpath -m "$1")
here=$(cd "$(dirname "$0")" && pwd)
build=$(dirname "$out")
mkdir -p "$build"
. "$here/i386-root/common.sh"
. "$here/mode-plan.sh"

flag() { "$@" >/dev/null 2>&1 && echo 1 || echo 0; }
win64_only=0 force_guest=0
[ "${PENDREL_WIN64_ONLY:-0}" != 1 ] || win64_only=1
[ "${PENDREL_FORCE_GUEST:-0}" != 1 ] || force_guest=1
kernel_said=$("$here/kernel-runs-i386.sh" "$build")
case $? in 0) kernel=yes ;; 1) kernel=no ;; *) kernel=unknown ;; esac
is_root=$([ "$(id -u)" = 0 ] && echo 1 || echo 0)
have_debootstrap=$(flag command -v debootstrap)
have_qemu=$(flag command -v qemu-system-i386)
cached_chroot=$(flag test -f "$(root_path chroot)/.ready")
cached_qemu=$(flag test -f "$(root_path qemu)/.ready")
plan_mode

skip32= guest_skip=
case $mode in
    chroot) echo "host mode chroot: the whole PE32 suite in the 32-bit root by chroot, the 64-bit suite on this host ($reason)" ;;
    guest) guest_skip="outside the subset (label guest) that the emulated 32-bit guest runs: $reason"
           echo "host mode guest: a PE32 subset in the 32-bit root under qemu-system-i386, the 64-bit suite on this host ($reason)" ;;
    64) skip32=$reason
        echo "host mode 64: the 64-bit suite only, every PE32 test skipped ($reason)" ;;
    *) echo "host mode: the PE32 suite cannot run here: $reason" >&2
       rm -f "$out"
       exit 1 ;;
esac
printf 'PENDREL_MODE=%s\nPENDREL_SKIP32=%s\nPENDREL_GUEST_SKIP=%s\n' \
    "$mode" "$skip32" "$guest_skip" >"$out"
