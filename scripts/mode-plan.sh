# Where this host runs the shipped PE32's tests, decided from what the host has; sourced by
# host-mode.sh and setup-deps.sh, and checked case by case by tests/host/mode_plan_test.sh.
# The PE32 always runs in the project's own 32-bit Debian root, never under the host's Wine:
#   chroot  the kernel runs i386 programs: the root is entered by chroot (needs root) and
#           the whole PE32 suite runs there at native speed
#   guest   it cannot (or that cannot be told): the root is booted under qemu-system-i386
#           and the subset labelled guest runs there
#   64      neither is possible or wanted: every PE32 test is skipped, with the reason
#   fail    a root host whose kernel runs i386 programs lacks what the chroot needs: the
#           test command stops with the reason rather than skip the PE32 suite
#
# plan_mode reads these variables and sets `mode` and `reason`:
#   win64_only, force_guest  1 when PENDREL_WIN64_ONLY=1 / PENDREL_FORCE_GUEST=1
#   kernel                   yes, no or unknown: whether the kernel runs i386 programs
#   kernel_said              the kernel probe's own line, for the reason
#   is_root                  1 when running as root
#   have_debootstrap, have_qemu          1 when installed
#   cached_chroot, cached_qemu           1 when a finished root of that kind is cached
plan_mode() {
    if [ "$win64_only" = 1 ]; then
        mode=64 reason="PENDREL_WIN64_ONLY=1 asks for the 64-bit mode"
        return
    fi
    local why
    if [ "$force_guest" = 1 ]; then
        why="PENDREL_FORCE_GUEST=1 asks for the emulated guest"
    elif [ "$kernel" = yes ]; then
        if [ "$is_root" != 1 ]; then
            mode=64 reason="$kernel_said, but entering the 32-bit root by chroot needs root"
        elif [ "$cached_chroot" = 1 ] || [ "$have_debootstrap" = 1 ]; then
            mode=chroot reason=$kernel_said
        else
            mode=fail reason="$kernel_said, but debootstrap is not installed to make the 32-bit root (scripts/setup-deps.sh installs it)"
        fi
        return
    else
        why=$kernel_said
    fi
    if [ "$have_qemu" != 1 ]; then
        mode=64 reason="$why, and qemu-system-i386 is not installed"
    elif [ "$cached_qemu" = 1 ]; then
        mode=guest reason=$why
    elif [ "$is_root" != 1 ]; then
        mode=64 reason="$why, and making the 32-bit root needs root"
    elif [ "$have_debootstrap" = 1 ]; then
        mode=guest reason=$why
    else
        mode=64 reason="$why, and debootstrap is not installed to make the 32-bit root"
    fi
}
