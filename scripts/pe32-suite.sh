#!/usr/bin/env bash
# Runs the PE32 build's ctest wherever this host's mode (scripts/host-mode.sh) says:
#   pe32-suite.sh MODE_FILE BUILD_DIR [CTEST OPTIONS]...
#   pe32-suite.sh --summary MODE_FILE BUILD_DIR    one line: how much of the suite runs here
# mode chroot: the whole suite in the 32-bit root by chroot; mode guest: the tests labelled
# guest in one boot of the emulated root, then the rest here, where they report themselves
# skipped with the reason; mode 64: here, every test skipped with the reason.
# Fails when any test that ran failed, and when a run finds no test at all.
set -u
here=$(cd "$(dirname "$0")" && pwd)
summary=0
[ "${1:-}" != --summary ] || { summary=1; shift; }
mode_file=$1
mode=$(sed -n 's/^PENDREL_MODE=//p' "$mode_file")
dir=$(cd "$2" && pwd) || exit 1
shift 2

count() { ctest --test-dir "$dir" -N "$@" | sed -n 's/^Total Tests: //p'; }
if [ $summary = 1 ]; then
    case $mode in
        chroot) echo "PE32 suite: all $(count) tests ran in the 32-bit root by chroot" ;;
        guest) echo "PE32 suite: $(count -L guest) tests ran in the emulated 32-bit guest;" \
                    "$(count -LE guest) skipped, $(sed -n 's/^PENDREL_GUEST_SKIP=//p' "$mode_file")" ;;
        *) echo "PE32 suite: all $(count) tests skipped: $(sed -n 's/^PENDREL_SKIP32=//p' "$mode_file")" ;;
    esac
    exit 0
fi

case $mode in
    chroot) exec "$here/i386-root/run.sh" chroot --share "$dir" ctest --test-dir "$dir" --no-tests=error "$@" ;;
    guest) echo "PE32 subset (label guest) in the emulated 32-bit guest:"
       "$here/i386-root/run.sh" qemu --share "$dir" ctest --test-dir "$dir" --no-tests=error -L guest "$@"
       guest=$?
       echo "PE32 tests outside the guest subset:"
       ctest --test-dir "$dir" --no-tests=error -LE guest "$@"
       rest=$?
       [ $guest = 0 ] && [ $rest = 0 ] ;;
    64) exec ctest --test-dir "$dir" --no-tests=error "$@" ;;
    *) echo "pe32-suite: no test mode in $mode_file (run scripts/host-mode.sh)" >&2; exit 1 ;;
esac
