#!/usr/bin/env bash
# Makes the 32-bit Debian root of one kind once, in the machine's cache (see common.sh):
#   make-root.sh chroot   a directory, for hosts whose kernel runs i386 programs
#   make-root.sh qemu     a bootable ext4 image, for hosts whose kernel does not
# A root that is ready is reused at once. Two callers never build the same root twice: the
# second waits for the first. The root is built under a temporary name and renamed when
# complete, so a build that was killed never leaves anything that looks ready.
#
# Only Debian's verified archive is used: debootstrap checks the Release file against the
# archive keyring and every package against it; only the main suite, never the i386
# security index, which this project has seen fail verification.
set -eu
kind=${1:?usage: make-root.sh chroot|qemu}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
case $kind in chroot|qemu) ;; *) echo "make-root: unknown kind $kind" >&2; exit 2 ;; esac

final=$(root_path "$kind")
[ -f "$final/.ready" ] && { echo "i386 root: $final"; exit 0; }
mkdir -p "$cache_top"
exec 8>"$final.lock" || { echo "make-root: cannot open $final.lock" >&2; exit 1; }
if ! flock -n 8; then
    # Building from nothing takes about 15 minutes under emulation, 2 natively.
    wait_limit=${PENDREL_ROOT_WAIT:-3600}
    echo "i386 root: another build of $final is running; waiting for it (at most $wait_limit s)"
    flock -w "$wait_limit" 8 || { echo "make-root: the other build did not end within $wait_limit s" >&2; exit 1; }
fi
[ -f "$final/.ready" ] && { echo "i386 root: $final"; exit 0; }

work=$final.building
undo_mounts() { [ "$kind" != chroot ] || "$here/chroot.sh" --release "$work/root"; }
# What a killed build left behind is thrown away first.
undo_mounts
rm -rf "$work" "$final"
mkdir -p "$work"
trap 'undo_mounts; rm -rf "$work"' EXIT

keyring=/usr/share/keyrings/debian-archive-keyring.gpg
[ -f "$keyring" ] || { echo "make-root: $keyring is missing (package debian-archive-keyring)" >&2; exit 1; }
mirror=$(root_mirror)
[ -n "$mirror" ] || { echo "make-root: this host's apt has no source for $suite main" >&2; exit 1; }
foreign=()
# This kernel cannot run the root's programs: unpack here, configure inside the guest.
[ "$kind" = chroot ] || foreign=(--foreign)
bootstrap() {
    local what=$1 include
    shift
    include=$(IFS=,; echo "$*")
    if ! debootstrap --arch=i386 --variant=minbase --components=main --include="$include" \
            --keyring="$keyring" --force-check-gpg --cache-dir="$work/debs" "${options[@]}" \
            "$suite" "$work/$what" "$mirror" >"$work/debootstrap.log" 2>&1; then
        tail -n 30 "$work/debootstrap.log" >&2
        echo "make-root: debootstrap failed" >&2
        exit 1
    fi
}

start=$SECONDS
echo "i386 root: building $final from $mirror (several minutes; once per machine)"
mkdir -p "$work/debs"
if [ "$kind" = qemu ]; then
    # The guest's kernel and busybox, verified like the rest but never installed in the
    # root: configuring a kernel makes its own initramfs, which takes many minutes emulated.
    options=(--download-only)
    bootstrap download "${root_packages[@]}" "${boot_packages[@]}"
    rm -rf "$work/download"
fi
options=("${foreign[@]}")
bootstrap root "${root_packages[@]}"
echo "i386 root: debootstrap $([ "$kind" = qemu ] && echo "stage 1 ")done in $((SECONDS - start)) s"

# Configuring needs the project's prefix scripts inside the root; they are removed after.
mkdir -p "$work/root/opt/pendrel/scripts"
cp "$scripts_dir/wine-prefix.sh" "$scripts_dir/wine-run.sh" "$here/configure-root.sh" \
    "$work/root/opt/pendrel/scripts/"
configure=(/bin/bash /opt/pendrel/scripts/configure-root.sh "$root_prefix" "${root_locales[@]}")

if [ "$kind" = chroot ]; then
    # From /: the clone's folder is not shared into the root for this run.
    (cd / && "$here/chroot.sh" "$work/root" -- "${configure[@]}")
    rm -rf "$work/debs"
else
    "$here/make-image.sh" "$work"
    rm -rf "$work/root" "$work/debs"
    echo "i386 root: stage 2 and configuration inside the emulated guest (about ten minutes)"
    step=$SECONDS
    (cd / && "$here/boot.sh" "$work" --writable --timeout 5400 -- /bin/sh -c '
        /debootstrap/debootstrap --second-stage >/var/log/pendrel-stage2.log 2>&1 ||
            { tail -n 40 /var/log/pendrel-stage2.log; exit 1; }
        # The second stage unmounts what it mounted; Wine needs them back.
        mountpoint -q /proc || mount -t proc proc /proc
        mkdir -p /dev/pts /dev/shm
        mountpoint -q /dev/pts || mount -t devpts devpts /dev/pts
        mountpoint -q /dev/shm || mount -t tmpfs tmpfs /dev/shm
        exec "$@"' stage2 "${configure[@]}")
    echo "i386 root: guest stage done in $((SECONDS - step)) s"
fi
rm -f "$work/debootstrap.log"
touch "$work/.ready"
mv "$work" "$final"
trap - EXIT
echo "i386 root: $final ready in $((SECONDS - start)) s"
