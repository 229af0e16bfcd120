#!/usr/bin/env bash
# Turns the first stage of the i386 root (WORK/root) into what qemu-system-i386 boots:
#   WORK/vmlinuz      Debian's i386 kernel, unpacked from its package in WORK/debs, which
#                     debootstrap verified with the root's own packages
#   WORK/initrd.img   busybox (Debian's static i386 one, from there too), the drivers for
#                     the disk, ext4 and 9p in load order, and initramfs-init as /init
#   WORK/root.img     the root as a sparse ext4 image
# Usage: make-image.sh WORK
set -eu
work=$1
here=$(cd "$(dirname "$0")" && pwd)
root=$work/root
archives=$work/debs
unpack=$work/unpack
rm -rf "$unpack"
mkdir -p "$unpack/kernel" "$unpack/busybox"

only() {
    [ $# = 1 ] && [ -f "$1" ] || { echo "make-image: expected one package, found: $*" >&2; exit 1; }
    echo "$1"
}
dpkg-deb -x "$(only "$archives"/linux-image-[0-9]*-686-pae_*.deb)" "$unpack/kernel"
dpkg-deb -x "$(only "$archives"/busybox-static_*.deb)" "$unpack/busybox"
kernel=$(only "$unpack"/kernel/boot/vmlinuz-*)
version=${kernel##*/vmlinuz-}
cp "$kernel" "$work/vmlinuz"

# The package leaves modules.dep to its installer; the host's depmod makes it, and modprobe
# reads off each driver's dependencies in load order.
depmod -b "$unpack/kernel" "$version"
initrd=$unpack/initrd
mkdir -p "$initrd/bin" "$initrd/modules" "$initrd/proc" "$initrd/sys" "$initrd/dev" "$initrd/root"
# crc32c_generic is no dependency of ext4 in modules.dep, yet ext4 asks for it at mount.
for module in virtio_pci virtio_blk crc32c_generic ext4 9pnet_virtio 9p; do
    modprobe -d "$unpack/kernel" -S "$version" --show-depends "$module"
done | awk '$1 == "insmod" && !seen[$2]++ { print $2 }' | while read -r file; do
    cp "$file" "$initrd/modules/"
    basename "$file" >>"$initrd/modules/order"
done
cp "$unpack/busybox/bin/busybox" "$initrd/bin/busybox"
cp "$here/initramfs-init" "$initrd/init"
chmod 755 "$initrd/init" "$initrd/bin/busybox"
(cd "$initrd" && find . | LC_ALL=C sort | cpio -o -H newc --quiet | gzip -9) >"$work/initrd.img"

# A sparse file: the root takes about 2.3 GB of it once configured.
rm -f "$work/root.img"
mke2fs -q -t ext4 -L pendrel-i386 -d "$root" "$work/root.img" 6G >/dev/null
rm -rf "$unpack"
