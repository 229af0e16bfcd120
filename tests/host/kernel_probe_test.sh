#!/usr/bin/env bash
# The kernel probe never takes a folder that forbids running programs for a kernel that
# cannot run i386 programs: with TMPDIR on a noexec file system it gives the same answer as
# without, and with every folder it tries noexec it says it cannot tell (status 2).
# The noexec mounts are made in a mount namespace of the test's own (needs root).
set -u
probe=$(cd "$(dirname "$0")/../../scripts" && pwd)/kernel-runs-i386.sh
if ! unshare --mount true 2>/dev/null; then
    echo "skipped: making noexec mounts needs root (unshare --mount failed)"
    exit 77
fi
plain=$("$probe"); plain_status=$?
# Read now: the clone itself may live under one of the folders masked below.
probe_text=$(cat "$probe")
export probe_text plain plain_status
unshare --mount --propagation private bash -c '
    failed=0
    mkdir -p /run/pendrel-noexec
    mount -t tmpfs -o noexec pendrel-noexec /run/pendrel-noexec
    said=$(TMPDIR=/run/pendrel-noexec bash -c "$probe_text" probe /run/pendrel-noexec); status=$?
    if [ $status != "$plain_status" ] || [ "$said" != "$plain" ]; then
        echo "FAIL: with TMPDIR noexec: $status ($said); without: $plain_status ($plain)"; failed=1
    fi
    for d in /tmp /var/tmp /dev/shm /root; do mount -t tmpfs -o noexec pendrel-noexec "$d"; done
    said=$(HOME=/root TMPDIR=/run/pendrel-noexec bash -c "$probe_text" probe /run/pendrel-noexec); status=$?
    if [ $status != 2 ] || [[ $said != "cannot tell"* ]]; then
        echo "FAIL: with every folder noexec: $status ($said); wanted 2 (cannot tell)"; failed=1
    fi
    [ $failed = 0 ] && echo "the probe said: $plain"
    exit $failed'
