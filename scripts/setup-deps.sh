#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine, and nothing that is
# already there. Safe to run again: a machine that has everything is left alone.
#
# Only apt's own verified indexes are ever used, and the host's own architecture: the
# shipped PE32 runs only inside the project's 32-bit Debian root (scripts/i386-root/), made
# with debootstrap from the verified main suite; the host's dpkg never gets the i386
# architecture and nothing changes how it runs i386 programs. Which of the root's tools are
# installed follows the mode the host will be in (scripts/mode-plan.sh): debootstrap where
# the kernel runs i386 programs (the root is entered by chroot), debootstrap and qemu where
# it does not (the root is booted under emulation), neither for the 64-bit mode.
set -u
here=$(cd "$(dirname "$0")" && pwd)

need_pkgs=(cmake make g++ g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-i686-dev
           mingw-w64-x86-64-dev libz-mingw-w64-dev zlib1g-dev libgtest-dev googletest
           wine wine64 xvfb xauth unifont locales liblnk-utils fonts-arphic-uming
           osslsigncode openssl dpkg-dev libzopfli-dev)
need_locales=(en_US.UTF-8 zh_CN.UTF-8 zh_TW.UTF-8 zh_HK.UTF-8 ja_JP.UTF-8)
# The 32-bit root: debootstrap checks it against the archive keyring; an emulated guest
# also needs qemu, and the kernel modules and initramfs are assembled with kmod and cpio.
root_pkgs=(debootstrap debian-archive-keyring)
guest_pkgs=(qemu-system-x86 kmod cpio e2fsprogs)

installed() { dpkg-query -W -f='${Status}\n' "$1" 2>/dev/null | grep -q '^install ok installed$'; }

# The mode the host will be in once these tools are installed.
. "$here/mode-plan.sh"
win64_only=0 force_guest=0
[ "${PENDREL_WIN64_ONLY:-0}" != 1 ] || win64_only=1
[ "${PENDREL_FORCE_GUEST:-0}" != 1 ] || force_guest=1
kernel=unknown kernel_said="the kernel probe was not needed"
if [ $win64_only = 0 ] && [ $force_guest = 0 ]; then
    kernel_said=$("$here/kernel-runs-i386.sh")
    case $? in 0) kernel=yes ;; 1) kernel=no ;; esac
fi
is_root=$([ "$(id -u)" = 0 ] && echo 1 || echo 0)
have_debootstrap=1 have_qemu=1 cached_chroot=0 cached_qemu=0
plan_mode
case $mode in
    chroot) need_pkgs+=("${root_pkgs[@]}") ;;
    guest) need_pkgs+=("${guest_pkgs[@]}")
           [ $is_root = 0 ] || need_pkgs+=("${root_pkgs[@]}") ;;
esac
missing=()
for p in "${need_pkgs[@]}"; do
    installed "$p" || missing+=("$p")
done
# The i386 build compiles zlib from Debian's source package (scripts/zlib-source.sh), which
# needs deb-src entries: twins of the system's own signed deb entries, same address, suites,
# components and key.
want_src=0
[ -n "$(apt-cache showsrc zlib 2>/dev/null)" ] || want_src=1
add_source_entries() {
    local f
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] || continue
        case $f in */pendrel-src.sources) continue ;; esac
        awk 'BEGIN { RS = ""; ORS = "\n\n" }
             /(^|\n)Types:[ \t]*deb[ \t]*(\n|$)/ && !/(^|\n)Enabled:[ \t]*no/ {
                 sub(/Types:[ \t]*deb/, "Types: deb-src"); print }' "$f"
    done | $sudo tee /etc/apt/sources.list.d/pendrel-src.sources >/dev/null
    local lines
    lines=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null | sed -n 's/^[ \t]*deb[ \t]/deb-src /p')
    [ -z "$lines" ] || echo "$lines" | $sudo tee /etc/apt/sources.list.d/pendrel-src.list >/dev/null
}

sudo=""
[ "$(id -u)" = 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive

if [ ${#missing[@]} -gt 0 ] || [ $want_src = 1 ]; then
    [ $want_src = 0 ] || add_source_entries
    $sudo apt-get update -qq >/dev/null 2>&1 || echo "setup: apt-get update reported errors; only what verified is used"
    if [ ${#missing[@]} -gt 0 ]; then
        echo "setup: installing ${missing[*]}"
        $sudo apt-get install -y -qq "${missing[@]}" >/dev/null ||
            { echo "setup: apt-get install failed" >&2; exit 1; }
    fi
    [ $want_src = 0 ] || [ -n "$(apt-cache showsrc zlib 2>/dev/null)" ] ||
        { echo "setup: no verified deb-src index offers zlib" >&2; exit 1; }
fi

# Wine takes its code page from the locale; a locale that is not generated falls back
# to English without a word, so the Chinese tests would silently test nothing.
gen=0
for l in "${need_locales[@]}"; do
    locale -a 2>/dev/null | grep -qix "${l/UTF-8/utf8}" && continue
    grep -q "^$l UTF-8" /etc/locale.gen 2>/dev/null || echo "$l UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
    gen=1
done
[ $gen = 0 ] || $sudo locale-gen >/dev/null

exit 0
