#!/bin/sh
# Runs a command with a small file system of its own mounted at DIR, unmounted afterwards:
#   small_disk.sh DIR SIZE COMMAND...
# The command finds the mount in PENDREL_SMALL_DISK. Where nothing can be mounted (not
# root, no tmpfs) it runs without one, and PENDREL_SMALL_DISK_SKIP says why.
dir=$1
size=$2
shift 2
mkdir -p "$dir" || exit 1
# A run that was killed may have left its mount behind.
mountpoint -q "$dir" && umount "$dir"
if [ "$(id -u)" != 0 ]; then
    PENDREL_SMALL_DISK_SKIP="mounting a small file system needs root" exec "$@"
fi
if ! mount -t tmpfs -o "size=$size,mode=0777" pendrel_small_disk "$dir"; then
    PENDREL_SMALL_DISK_SKIP="a tmpfs could not be mounted here" exec "$@"
fi
PENDREL_SMALL_DISK=$dir "$@"
status=$?
umount "$dir" 2>/dev/null || umount -l "$dir"
exit $status
