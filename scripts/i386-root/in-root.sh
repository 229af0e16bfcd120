#!/bin/bash
# The first thing run inside the i386 root, by chroot or in the emulated guest: sets up
# what the PE32 tests expect there, then runs the command on a display (its own Xvfb unless
# the host's was passed in).
#   in-root.sh chroot|qemu COMMAND...
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
kind=$1
shift
# Each run starts from a copy of the prefix baked into the root.
export PENDREL_WINEPREFIX_TEMPLATE=$root_prefix
# In the guest the build tree is a 9p share: Wine's prefix stays on the guest's own disk,
# which is thrown away at power-off.
[ "$kind" != qemu ] || export PENDREL_WINEPREFIX=${PENDREL_WINEPREFIX:-/var/tmp/pendrel-wineprefix}
exec "$scripts_dir/with-display.sh" "$@"
