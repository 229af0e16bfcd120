#!/usr/bin/env bash
# Release output: SHA256SUMS matches the folder; an unsigned release leaves the installer's
# bytes alone; a release signed with a throwaway certificate verifies with osslsigncode.
# Usage: release_test.sh DIST_EXE
set -u
exe=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

mkdir "$work/unsigned" "$work/signed"
for d in unsigned signed; do cp "$exe" "$work/$d/PendrelSetup.exe"; printf 'ctl' >"$work/$d/CtlSet2.bin"; done

"$here/../../scripts/release-dist.sh" "$work/unsigned" || fail "unsigned release failed"
cmp -s "$exe" "$work/unsigned/PendrelSetup.exe" || fail "an unsigned release changed the installer"
(cd "$work/unsigned" && sha256sum -c --quiet SHA256SUMS) || fail "SHA256SUMS of the unsigned release"
[ "$(wc -l <"$work/unsigned/SHA256SUMS")" = 2 ] || fail "SHA256SUMS should list both files"

openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Pendrel Test Signing" \
    -addext "extendedKeyUsage=codeSigning" -keyout "$work/key.pem" -out "$work/cert.pem" >/dev/null 2>&1 ||
    fail "openssl cannot make a test certificate"
"$here/../../scripts/release-dist.sh" "$work/signed" "$work/cert.pem" "$work/key.pem" || fail "signed release failed"
cmp -s "$exe" "$work/signed/PendrelSetup.exe" && fail "the signed installer is unchanged"
osslsigncode verify -CAfile "$work/cert.pem" -in "$work/signed/PendrelSetup.exe" >"$work/verify.txt" 2>&1 ||
    { cat "$work/verify.txt"; fail "the signature does not verify"; }
(cd "$work/signed" && sha256sum -c --quiet SHA256SUMS) || fail "SHA256SUMS does not match the signed installer"
# A damaged signed file must not verify: the check above is not vacuous.
cp "$work/signed/PendrelSetup.exe" "$work/damaged.exe"
printf '\x00' | dd of="$work/damaged.exe" bs=1 seek=2000 conv=notrunc 2>/dev/null
osslsigncode verify -CAfile "$work/cert.pem" -in "$work/damaged.exe" >/dev/null 2>&1 && fail "a damaged file verified"

[ $failures = 0 ] || exit 1
echo "PASS release"
