#!/usr/bin/env bash
# Builds the installer twice from scratch in two folders and compares the bytes.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
work=$(realpath -m "${1:-$top/build/repro}")
# The build folder the repro folder sits in holds the host tools and the zlib source.
build=$(dirname "$work")
host=$build/host
rm -rf "$work"
for side in a b; do
    cmake -S "$top" -B "$work/$side" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-mingw-i686.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DHOST_TOOLS_DIR="$host" \
        -DZLIB_SOURCE_DIR="$build/zlib-src" -DDIST_DIR="$work/$side/dist" >/dev/null
    cmake --build "$work/$side" -j"$(nproc)" --target dist >/dev/null
done
if cmp "$work/a/dist/PendrelSetup.exe" "$work/b/dist/PendrelSetup.exe" &&
   cmp "$work/a/dist/CtlSet2.bin" "$work/b/dist/CtlSet2.bin"; then
    echo "reproducible: two clean builds gave identical bytes"
    rm -rf "$work"
else
    echo "reproducible: the two builds differ" >&2
    exit 1
fi
