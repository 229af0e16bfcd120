#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine, and nothing that is
# already there. Safe to run again: a machine that has everything is left alone.
#
# Only apt's own verified indexes are ever used. The shipped PE32 is tested where the host
# allows (scripts/host-mode.sh): under the host's wine32 (i386), which is wanted but optional
# (when the mirror's i386 index fails verification, or wine32 cannot be installed for any
# other reason, one line says so); else in a 32-bit Debian root of the project's own, made
# with debootstrap from the verified main suite, entered by chroot where the kernel runs
# i386 programs and booted under qemu-system-i386 where it does not. PENDREL_WIN64_ONLY=1
# wants none of that; PENDREL_FORCE_GUEST=1 wants the emulated guest whatever the kernel.
set -u
here=$(cd "$(dirname "$0")" && pwd)

need_pkgs=(cmake make g++ g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-i686-dev
           mingw-w64-x86-64-dev libz-mingw-w64-dev zlib1g-dev libgtest-dev googletest
           wine wine64 xvfb xauth unifont locales liblnk-utils fonts-arphic-uming
           osslsigncode openssl dpkg-dev)
need_locales=(en_US.UTF-8 zh_CN.UTF-8 zh_TW.UTF-8 zh_HK.UTF-8 ja_JP.UTF-8)
# The 32-bit root: debootstrap checks it against the archive keyring; an emulated guest
# also needs qemu, and the kernel modules and initramfs are assembled with kmod and cpio.
root_pkgs=(debootstrap debian-archive-keyring)
guest_pkgs=(qemu-system-x86 kmod cpio e2fsprogs)

installed() { dpkg-query -W -f='${Status}\n' "$1" 2>/dev/null | grep -q '^install ok installed$'; }

want_wine32=0 want_root=0
if [ "${PENDREL_WIN64_ONLY:-0}" != 1 ]; then
    if [ "${PENDREL_FORCE_GUEST:-0}" = 1 ] || ! "$here/kernel-runs-i386.sh"; then
        # wine32 could be installed here but would never start.
        need_pkgs+=("${root_pkgs[@]}" "${guest_pkgs[@]}")
    elif ! installed wine32:i386; then
        want_wine32=1
    fi
fi
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

if [ ${#missing[@]} -gt 0 ] || [ $want_wine32 = 1 ] || [ $want_src = 1 ]; then
    [ $want_src = 0 ] || add_source_entries
    [ $want_wine32 = 0 ] || dpkg --print-foreign-architectures | grep -qx i386 ||
        $sudo dpkg --add-architecture i386
    # apt keeps an index that fails verification out of its lists; the failure is only
    # reported, so read the report to know whether the i386 side can be trusted whole.
    update_log=$($sudo apt-get update 2>&1)
    i386_failed=0
    grep -Eq '^(Err|E: Failed to fetch).*(i386|binary-i386)' <<<"$update_log" && i386_failed=1
    if [ ${#missing[@]} -gt 0 ]; then
        echo "setup: installing ${missing[*]}"
        $sudo apt-get install -y -qq "${missing[@]}" >/dev/null ||
            { echo "setup: apt-get install failed" >&2; exit 1; }
    fi
    if [ $want_wine32 = 1 ]; then
        if [ $i386_failed = 1 ]; then
            echo "setup: wine32 not installed: the mirror's i386 index failed verification; the PE32 suite goes into a 32-bit root"
            want_root=1
        elif ! $sudo apt-get install -y -qq wine32:i386 >/dev/null 2>&1; then
            echo "setup: wine32 not installed: apt could not install wine32:i386 from the verified indexes; the PE32 suite goes into a 32-bit root"
            want_root=1
        fi
    fi
    [ $want_src = 0 ] || [ -n "$(apt-cache showsrc zlib 2>/dev/null)" ] ||
        { echo "setup: no verified deb-src index offers zlib" >&2; exit 1; }
fi
root_missing=()
if [ $want_root = 1 ]; then
    for p in "${root_pkgs[@]}"; do installed "$p" || root_missing+=("$p"); done
fi
if [ ${#root_missing[@]} -gt 0 ]; then
    echo "setup: installing ${root_missing[*]}"
    $sudo apt-get install -y -qq "${root_missing[@]}" >/dev/null ||
        { echo "setup: apt-get install failed" >&2; exit 1; }
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
