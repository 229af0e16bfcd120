#!/usr/bin/env bash
# Finishes a dist folder for release: signs the installer with Authenticode when a
# certificate and key are given, then writes SHA256SUMS for what the folder holds.
# Usage: release-dist.sh DIST_DIR [CERT.pem KEY.pem [TIMESTAMP_URL]]
# Without a certificate the installer is left byte for byte as built (reproducible).
set -eu
dist=$1 cert=${2:-} key=${3:-} timestamp=${4:-}
exe=$dist/PendrelSetup.exe
if [ -n "$cert" ]; then
    [ -n "$key" ] || { echo "release: a certificate needs its key" >&2; exit 1; }
    command -v osslsigncode >/dev/null || { echo "release: osslsigncode is not installed" >&2; exit 1; }
    args=(sign -certs "$cert" -key "$key" -n "Pendrel Setup" -h sha256)
    [ -z "$timestamp" ] || args+=(-ts "$timestamp")
    rm -f "$exe.signed"
    osslsigncode "${args[@]}" -in "$exe" -out "$exe.signed" >/dev/null
    mv -f "$exe.signed" "$exe"
    echo "release: signed $(basename "$exe")"
fi
cd "$dist"
files=()
for f in PendrelSetup.exe CtlSet2.bin; do [ -f "$f" ] && files+=("$f"); done
sha256sum "${files[@]}" >SHA256SUMS
