#!/bin/sh
# Makes every mount this mount namespace can see private, so that what is mounted after it
# stays in the namespace and never reaches the parent's. `unshare --propagation private`
# does this with one recursive call on /, which fails inside a chroot, where / is a plain
# folder and not a mount point: as it is when a chroot is entered from inside the 32-bit
# root itself. Mounts outside the caller's root are not listed, nor need to be.
set -eu
awk '{ print $5 }' /proc/self/mountinfo | while read -r point; do
    # mountinfo writes a space in a path as \040, which %b reads back.
    mount --make-private "$(printf '%b' "$point")" || {
        echo "private-mounts: cannot make $point private" >&2
        exit 1
    }
done
