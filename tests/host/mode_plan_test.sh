#!/usr/bin/env bash
# The host's test mode for every kind of host: what it has in, the mode and the reason out.
# Each row: win64_only force_guest kernel is_root debootstrap qemu cached_chroot cached_qemu,
# then after the colon the mode and a piece of text its reason must hold.
set -u
. "$(dirname "$0")/../../scripts/mode-plan.sh"

failed=0
row() {
    win64_only=$1 force_guest=$2 kernel=$3 is_root=$4 have_debootstrap=$5 have_qemu=$6
    cached_chroot=$7 cached_qemu=$8
    local want_mode=${10} want_reason=${11}
    case $kernel in
        yes) kernel_said="the kernel runs i386 programs" ;;
        no) kernel_said="this kernel cannot run i386 programs" ;;
        *) kernel_said="cannot tell whether this kernel runs i386 programs" ;;
    esac
    mode= reason=
    plan_mode
    if [ "$mode" != "$want_mode" ] || [[ $reason != *"$want_reason"* ]]; then
        echo "FAIL: ${*:1:8} -> $mode ($reason); wanted $want_mode (…$want_reason…)"
        failed=1
    fi
}

#   w64 force kernel  root deb qemu cch cq     mode   reason holds
row 1   0     yes     1    1   1    1   1  : 64     "PENDREL_WIN64_ONLY=1"
row 1   1     no      1    1   1    0   1  : 64     "PENDREL_WIN64_ONLY=1"
# A kernel that runs i386 programs: the chroot, or a failure; never a silent 64.
row 0   0     yes     1    1   0    0   0  : chroot "the kernel runs i386 programs"
row 0   0     yes     1    0   0    1   0  : chroot "the kernel runs i386 programs"
row 0   0     yes     1    0   1    0   1  : fail   "debootstrap is not installed"
row 0   0     yes     0    1   1    1   1  : 64     "chroot needs root"
row 0   0     yes     0    0   0    0   0  : 64     "chroot needs root"
# Forced into the emulated guest on a host that could do more.
row 0   1     yes     1    1   1    1   0  : guest  "PENDREL_FORCE_GUEST=1"
row 0   1     yes     1    1   0    1   0  : 64     "qemu-system-i386 is not installed"
# A kernel that cannot, or cannot be told: the emulated guest.
row 0   0     no      1    1   1    0   0  : guest  "this kernel cannot run i386 programs"
row 0   0     unknown 1    1   1    0   0  : guest  "cannot tell"
row 0   0     no      0    0   1    0   1  : guest  "this kernel cannot run i386 programs"
row 0   0     no      0    1   1    0   0  : 64     "making the 32-bit root needs root"
row 0   0     no      1    0   1    0   0  : 64     "debootstrap is not installed"
row 0   0     no      1    1   0    0   1  : 64     "qemu-system-i386 is not installed"
row 0   0     unknown 0    0   0    1   1  : 64     "qemu-system-i386 is not installed"

[ $failed = 0 ] && echo "every host kind gets its mode"
exit $failed
