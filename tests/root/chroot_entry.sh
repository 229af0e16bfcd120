#!/usr/bin/env bash
# Enters a chroot with the project's chroot.sh and runs one PE32 there under Wine, as the
# whole PE32 suite is run where the kernel runs i386 programs:
#   chroot_entry.sh PROGRAM
# It runs inside the 32-bit root (the emulated guest, whose kernel runs i386 programs, or
# the chroot itself), so that path is exercised on hosts that cannot take it themselves.
# The small chroot is the root it runs in, bound at a folder of its own: chroot.sh then
# makes its usual mounts (fresh /tmp, /root and /run; the shared folders at their own
# paths) in a namespace of its own, and nothing is left behind.
set -u
program=$(realpath "$1")
scripts=$(cd "$(dirname "$0")/../../scripts" && pwd)
top=$(dirname "$scripts")
if [ "$(id -u)" != 0 ]; then
    echo "skipped: entering a chroot needs root"
    exit 77
fi
# Wine's own prefix of this run: the one the suite uses (baked into the root in the guest).
prefix=$(realpath -m "${PENDREL_WINEPREFIX:-$scripts/../build/wineprefix}")
# Inside, /tmp is fresh, so a wineserver of the outer run would not be found and a second
# one would serve the same prefix: the outer one is ended first.
"$scripts/wine-run.sh" --no-prefix --server -k 2>/dev/null
"$scripts/wine-run.sh" --no-prefix --server -w 2>/dev/null
# The program is run from a folder under /tmp and one under /root, which are fresh inside
# the chroot, as a clone there is: the folder is shared in after them, and the program is
# named relative to it, from inside.
failed=0
for place in /tmp /root; do
    folder=$(mktemp -d "$place/pendrel-clone.XXXXXX")
    cp "$program" "$folder/"
    export folder name=$(basename "$program") scripts top prefix
    output=$(cd "$folder" && unshare --mount --propagation unchanged bash -c '
        "$scripts/i386-root/private-mounts.sh" || exit 1
        small=$(mktemp -d /run/pendrel-small.XXXXXX)
        mount --bind / "$small"
        "$scripts/i386-root/chroot.sh" "$small" --share "$top" --share "$folder" -- \
            /usr/bin/env PENDREL_WINEPREFIX="$prefix" PENDREL_WINEARCH=win32 \
            /bin/bash "$scripts/i386-root/in-root.sh" chroot "$scripts/wine-run.sh" "./$name"' 2>&1)
    status=$?
    rm -rf "$folder"
    output=$(tr -d '\r' <<<"$output")
    echo "$output"
    if [ $status != 42 ] || ! grep -q '^PE32 ran; Windows folder C:\\windows' <<<"$output"; then
        echo "FAIL: the PE32 run from a folder under $place in the chroot ended with $status"
        failed=1
    fi
done
[ $failed = 0 ] && echo "PASS chroot_entry"
exit $failed
