#!/usr/bin/env bash
# Puts Debian's zlib source package, unpacked, at $1, once. The i386 build compiles zlib
# itself for the oldest processor the installer supports; Debian's prebuilt mingw zlib
# is built for a newer one. apt fetches it through a deb-src entry of the system's own
# signed archive, so the files are checked against the signed Sources index.
set -u
dest=$1
[ -f "$dest/zlib.h" ] && exit 0
if ! apt-cache showsrc zlib >/dev/null 2>&1 || [ -z "$(apt-cache showsrc zlib 2>/dev/null)" ]; then
    echo "zlib-source: no deb-src index for zlib; run scripts/setup-deps.sh first" >&2
    exit 1
fi
work=$(mktemp -d "$(dirname "$dest")/.zlib-src.XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
# --allow-unauthenticated is never given: apt refuses a file whose hash the signed index
# does not vouch for.
(cd "$work" && apt-get source -qq zlib >/dev/null 2>&1) ||
    { echo "zlib-source: apt-get source zlib failed" >&2; exit 1; }
unpacked=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'zlib-*' | head -n 1)
[ -n "$unpacked" ] && [ -f "$unpacked/zlib.h" ] || { echo "zlib-source: no zlib.h in the source package" >&2; exit 1; }
rm -rf "$dest"
mv "$unpacked" "$dest"
echo "zlib-source: $(basename "$work"/zlib_*.dsc .dsc) at $dest"
