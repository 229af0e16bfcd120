#!/bin/bash
# The first thing run inside the i386 root, by chroot or in the emulated guest: sets up
# what the PE32 tests expect there, then runs the command on a display (its own Xvfb unless
# the host's was passed in).
#   in-root.sh chroot|qemu COMMAND...
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
kind=$1
shift
if [ "$kind" = qemu ]; then
    # The guest's disk is a throw-away copy of the image (-snapshot): the baked prefix is
    # used in place, on the guest's own disk rather than the 9p share, and every boot
    # starts from it as it was made. A copy would cost seconds and 600 MB each boot.
    export PENDREL_WINEPREFIX=${PENDREL_WINEPREFIX:-$root_prefix}
else
    # The chroot's root is shared by every run: each run's prefix starts as a copy of it.
    export PENDREL_WINEPREFIX_TEMPLATE=$root_prefix
fi
# Wine's own processes are ended before the display goes, rather than complain about it.
exec "$scripts_dir/with-display.sh" bash -c '"$@"; status=$?
    "$0" --no-prefix --server -k 2>/dev/null
    exit $status' "$scripts_dir/wine-run.sh" "$@"
