#!/usr/bin/env bash
# Puts Debian's zlib source package, unpacked, at $1, once, and says which version it is.
# The i386 build compiles zlib itself for the oldest processor the installer supports;
# Debian's prebuilt mingw zlib is built for a newer one. apt fetches it through a deb-src
# entry of the system's own signed archive, so the files are checked against the signed
# Sources index.
#
# Every version the verified indexes offer is tried, newest first: an archive may list a
# version in a suite's index whose files it does not serve (a 404 from a security suite has
# been seen here), and an older one is as good for our purpose.
set -u
dest=$1
if [ -f "$dest/zlib.h" ]; then
    echo "zlib-source: zlib $(cat "$dest/.debian-version" 2>/dev/null || echo '(version not recorded)')"
    exit 0
fi
# Newest first, in Debian's own ordering of versions.
newest_first() {
    local list=() v i
    while read -r v; do
        for ((i = ${#list[@]}; i > 0; i--)); do
            dpkg --compare-versions "$v" gt "${list[i-1]}" || break
            list[i]=${list[i-1]}
        done
        list[i]=$v
    done
    [ ${#list[@]} = 0 ] || printf '%s\n' "${list[@]}"
}
versions=$(apt-cache showsrc zlib 2>/dev/null | sed -n 's/^Version:[ \t]*//p' | sort -u | newest_first)
if [ -z "$versions" ]; then
    echo "zlib-source: no deb-src index offers zlib; run scripts/setup-deps.sh first" >&2
    exit 1
fi
mkdir -p "$(dirname "$dest")" || exit 1
# --allow-unauthenticated is never given: apt refuses a file whose hash the signed index
# does not vouch for.
for version in $versions; do
    work=$(mktemp -d "$(dirname "$dest")/.zlib-src.XXXXXX") || exit 1
    if (cd "$work" && apt-get source -qq "zlib=$version" >"$work.log" 2>&1); then
        unpacked=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'zlib-*' | head -n 1)
        if [ -n "$unpacked" ] && [ -f "$unpacked/zlib.h" ]; then
            echo "$version" >"$unpacked/.debian-version"
            rm -rf "$dest"
            mv "$unpacked" "$dest"
            rm -rf "$work" "$work.log"
            echo "zlib-source: zlib $version"
            exit 0
        fi
        echo "zlib-source: zlib $version has no zlib.h; trying an older version" >&2
    else
        echo "zlib-source: zlib $version could not be fetched ($(grep -m1 -E '^(E|Err):' "$work.log" ||
            echo 'apt-get source failed')); trying an older version" >&2
    fi
    rm -rf "$work" "$work.log"
done
echo "zlib-source: no version the verified indexes offer could be fetched: $(echo $versions)" >&2
exit 1
