#!/usr/bin/env bash
# The zlib source fetch against an archive whose newest listed version is not served: it
# takes the newest that downloads, in Debian's ordering of versions, and fails, naming
# them, when none does. apt is stood in for by two small programs on PATH.
set -u
script=$(cd "$(dirname "$0")/../../scripts" && pwd)/zlib-source.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin"
cat >"$work/bin/apt-cache" <<'STUB'
#!/bin/sh
for v in $OFFERED; do printf 'Package: zlib\nVersion: %s\n\n' "$v"; done
STUB
cat >"$work/bin/apt-get" <<'STUB'
#!/bin/sh
version=${3#zlib=}
echo "$version" >>"$TRIED"
case " $SERVED " in *" $version "*) ;; *) echo "E: Failed to fetch zlib_$version.dsc  404  Not Found"; exit 100 ;; esac
mkdir "zlib-$version" && touch "zlib-$version/zlib.h"
STUB
chmod +x "$work/bin/"*

failed=0
# offered, served: the version wanted ("none" for a failure) and the order tried.
check() {
    local offered=$1 served=$2 want=$3 want_tried=$4 dest=$work/case$RANDOM
    : >"$work/tried"
    PATH=$work/bin:$PATH OFFERED=$offered SERVED=$served TRIED=$work/tried \
        bash "$script" "$dest" >"$work/out" 2>&1
    local status=$? got=none tried
    [ $status != 0 ] || got=$(cat "$dest/.debian-version")
    tried=$(echo $(cat "$work/tried"))
    if [ "$got" != "$want" ] || [ "$tried" != "$want_tried" ]; then
        echo "FAIL: offered [$offered] served [$served]: got $got after [$tried]; wanted $want after [$want_tried]"
        cat "$work/out"
        failed=1
    fi
}
check "1:1.2.13.dfsg-1 1:1.2.13.dfsg-1+deb12u1" "1:1.2.13.dfsg-1" \
    1:1.2.13.dfsg-1 "1:1.2.13.dfsg-1+deb12u1 1:1.2.13.dfsg-1"
# An epoch outweighs any upstream version; ~ sorts before the release it precedes.
check "1.3-1 1:1.2.11-1 1:1.2.13~rc1-1 1:1.2.13-1" "1.3-1 1:1.2.11-1 1:1.2.13~rc1-1" \
    1:1.2.13~rc1-1 "1:1.2.13-1 1:1.2.13~rc1-1"
check "1:1.2.13-1" "1:1.2.13-1" 1:1.2.13-1 "1:1.2.13-1"
check "1:1.2.13-1 1:1.2.12-1" "" none "1:1.2.13-1 1:1.2.12-1"
grep -q "1:1.2.13-1 1:1.2.12-1" "$work/out" || { echo "FAIL: the failure does not name the versions tried"; failed=1; }
[ $failed = 0 ] && echo "the newest served zlib source is taken"
exit $failed
