#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine, and nothing that is
# already there. Safe to run again: a machine that has everything is left alone.
set -u

need_pkgs=(cmake make g++ g++-mingw-w64-i686 mingw-w64-i686-dev libz-mingw-w64-dev
           zlib1g-dev libgtest-dev googletest wine wine32:i386 xvfb xauth unifont locales
           liblnk-utils fonts-arphic-uming)
need_locales=(en_US.UTF-8 zh_CN.UTF-8 zh_TW.UTF-8 zh_HK.UTF-8 ja_JP.UTF-8)

missing=()
for p in "${need_pkgs[@]}"; do
    dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$' || missing+=("$p")
done

sudo=""
[ "$(id -u)" = 0 ] || sudo="sudo"

# A mirror can serve an i386 index that disagrees with its Release file while it syncs;
# apt then drops the index and wine32's libraries no longer match their amd64 twins.
# The served index is newer, not broken, so take it as it is.
repair_i386_security_index() {
    local list=/var/lib/apt/lists
    ls "$list"/*security*binary-i386_Packages* >/dev/null 2>&1 && return 0
    local src
    src=$(grep -rhoE 'https?://[^ ]*debian-security' /etc/apt/sources.list /etc/apt/sources.list.d/ 2>/dev/null | head -1)
    [ -n "$src" ] || return 0
    local host_path=${src#*://}
    local name
    name="$(echo "$host_path" | tr '/' '_')_dists_bookworm-security_main_binary-i386_Packages"
    echo "setup: fetching the i386 security index by hand"
    curl -fsSL "$src/dists/bookworm-security/main/binary-i386/Packages.xz" | xz -dc \
        | $sudo tee "$list/$name" >/dev/null || $sudo rm -f "$list/$name"
}

if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
    $sudo apt-get update -qq || true
    if ! $sudo apt-get install -y -qq --dry-run "${missing[@]}" >/dev/null 2>&1; then
        repair_i386_security_index
    fi
    $sudo apt-get install -y -qq "${missing[@]}" || { echo "setup: apt-get install failed" >&2; exit 1; }
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
