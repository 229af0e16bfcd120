#!/bin/bash
# Runs inside the freshly made i386 root, once: generates the locales the tests use and
# bakes the 32-bit Wine prefix that every test run starts from (a new prefix costs minutes
# under emulation, a copy seconds).
#   configure-root.sh PREFIX LOCALE...
set -eu
prefix=$1
shift
export PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root
printf '%s UTF-8\n' "$@" >/etc/locale.gen
locale-gen >/dev/null

start=$SECONDS
scripts=$(cd "$(dirname "$0")" && pwd)
"$scripts/wine-prefix.sh" "$prefix" win32
echo "configure-root: Wine prefix made in $((SECONDS - start)) s"
rm -rf "$scripts"
apt-get clean
rm -rf /var/lib/apt/lists/* /tmp/* /root/.cache
