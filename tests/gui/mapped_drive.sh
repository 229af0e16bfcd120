#!/usr/bin/env bash
# Runs one wizard scenario with drive R: of the prefix mapped to a folder of its own:
#   mapped_drive.sh SIZE|none WIZARD_DRIVER SCENARIO   (from the folder of PendrelSetup.exe)
# With a SIZE the folder is a tmpfs of that size, mounted for the run and unmounted
# afterwards; where it cannot be mounted (not root, no tmpfs) the scenario is told why in
# PENDREL_FAULT_DRIVE_SKIP. The scenario finds the drive in PENDREL_FAULT_DRIVE.
set -u
size=$1 driver=$2 scenario=$3
scripts=$(cd "$(dirname "$0")/../../scripts" && pwd)
arch=${PENDREL_WINEARCH:-win32}
if [ "$arch" = win64 ]; then prefix=${PENDREL_WINEPREFIX:-$scripts/../build/wineprefix64}
else prefix=${PENDREL_WINEPREFIX:-$scripts/../build/wineprefix}; fi
"$scripts/wine-prefix.sh" "$prefix" "$arch" || exit 1
dir=$PWD/mapped_drive_$scenario
link=$prefix/dosdevices/r:
# A run that was killed may have left its mount or link behind.
mountpoint -q "$dir" 2>/dev/null && umount "$dir"
rm -rf "$dir" "$link"
mkdir -p "$dir"
mounted=0
skip=
if [ "$size" != none ]; then
    if [ "$(id -u)" != 0 ]; then
        skip="mounting a small file system needs root"
    elif mount -t tmpfs -o "size=$size,mode=0777" pendrel_fault_drive "$dir"; then
        mounted=1
    else
        skip="a tmpfs could not be mounted here"
    fi
fi
ln -s "$dir" "$link"
PENDREL_FAULT_DRIVE=R: PENDREL_FAULT_DRIVE_SKIP=$skip "$scripts/wine-run.sh" "$driver" "$scenario"
status=$?
rm -f "$link"
[ $mounted = 0 ] || umount "$dir" 2>/dev/null || umount -l "$dir"
rm -rf "$dir"
exit $status
