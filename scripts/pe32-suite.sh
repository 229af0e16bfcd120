#!/usr/bin/env bash
# Runs the PE32 build's ctest wherever this host's mode (scripts/host-mode.sh) says:
#   pe32-suite.sh MODE_FILE BUILD_DIR [CTEST OPTIONS]...
# mode 1 on this host under wine32; mode 2 in the 32-bit root by chroot; mode 3 the tests
# labelled guest in one boot of the emulated root, then the rest here, where they report
# themselves skipped with the reason; mode 64 here, every test skipped with the reason.
# Fails when any test that ran failed.
set -u
here=$(cd "$(dirname "$0")" && pwd)
mode=$(sed -n 's/^PENDREL_MODE=//p' "$1")
dir=$(cd "$2" && pwd) || exit 1
shift 2
case $mode in
    1) exec "$here/with-display.sh" ctest --test-dir "$dir" "$@" ;;
    2) exec "$here/i386-root/run.sh" chroot --share "$dir" ctest --test-dir "$dir" "$@" ;;
    3) echo "PE32 subset (label guest) in the emulated 32-bit guest:"
       "$here/i386-root/run.sh" qemu --share "$dir" ctest --test-dir "$dir" -L guest "$@"
       guest=$?
       echo "PE32 tests outside the guest subset:"
       ctest --test-dir "$dir" -LE guest "$@"
       rest=$?
       [ $guest = 0 ] && [ $rest = 0 ] ;;
    *) exec ctest --test-dir "$dir" "$@" ;;
esac
