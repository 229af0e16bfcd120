# What the 32-bit Debian root holds and where it lives: sourced by the scripts beside it.
# The root is built once per machine and kept outside every clone, under
#   $PENDREL_ROOT_CACHE/<key>-<kind>    (default /var/cache/pendrel-i386)
# where <kind> is "chroot" (a directory, entered where the kernel runs i386 programs) or
# "qemu" (a raw ext4 image with its kernel and initramfs, booted under emulation), and
# <key> hashes everything that shapes it: the suite, the package list and the scripts that
# build and configure it. A root whose key is unchanged is reused by every clone.

root_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
scripts_dir=$(dirname "$root_dir")
cache_top=$(realpath -m "${PENDREL_ROOT_CACHE:-/var/cache/pendrel-i386}")

suite=bookworm
# wine32 alone, not wine: wine's dependency "wine64 | wine32" would have debootstrap look
# for wine64:i386, which does not exist.
# What the PE32 tests call: Wine and a display, the fonts and locales the Windows side
# uses, lnkinfo for shortcuts, ctest, and the shell tools of the test scripts.
root_packages=(
    wine32 xvfb xauth fontconfig fonts-arphic-uming fonts-liberation
    locales liblnk-utils cmake procps
)
# An emulated guest also boots the root: its kernel, and the static busybox its initramfs
# runs on (both i386, both taken from the verified packages of the root itself).
boot_packages=(linux-image-686-pae busybox-static)
# The locales the Windows-side tests set with LC_ALL: one that is not generated makes Wine
# fall back to English without a word.
root_locales=(en_US.UTF-8 zh_CN.UTF-8 zh_TW.UTF-8 zh_HK.UTF-8 ja_JP.UTF-8)
# The baked 32-bit Wine prefix, inside the root; each test run starts from a copy of it.
root_prefix=/opt/pendrel/wineprefix32

# The key: a hash over what goes into a root of this kind.
root_key() {
    local kind=$1
    {
        echo "$suite $kind"
        printf '%s\n' "${root_packages[@]}" "${root_locales[@]}" "$root_prefix"
        [ "$kind" = chroot ] || printf '%s\n' "${boot_packages[@]}"
        cat "$root_dir/common.sh" "$root_dir/make-root.sh" "$root_dir/configure-root.sh" \
            "$scripts_dir/wine-prefix.sh" "$scripts_dir/wine-run.sh"
        if [ "$kind" = qemu ]; then
            cat "$root_dir/make-image.sh" "$root_dir/initramfs-init"
        fi
    } | sha256sum | cut -c1-16
}

root_path() { echo "$cache_top/$(root_key "$1")-$1"; }

# The Debian archive this host's apt already uses for the suite's main component: no
# mirror is named in any file of the project.
root_mirror() {
    apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(COMPONENT)' 'Identifier: Packages' 2>/dev/null |
        awk -v s="$suite" '$2 == s && $3 == "main" { print $1; exit }'
}
