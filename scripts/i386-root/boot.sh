#!/usr/bin/env bash
# Boots the i386 root image under qemu-system-i386 (software emulation) to run one command
# inside it, from the current folder, with host folders shared at the same paths:
#   boot.sh DIR [--writable] [--share FOLDER]... [--timeout SECONDS] -- COMMAND...
# DIR holds vmlinuz, initrd.img and root.img (make-image.sh). Without --writable the image
# is booted with -snapshot: whatever the command changes in the root is thrown away, so the
# root stays as it was made. The command's output is streamed to stdout as it comes, and
# its exit status is returned. A guest that does not finish within the timeout (default
# one hour) is stopped, with status 124.
# One guest at a time per machine: two emulated guests on two cores each run about four
# times slower, so a second caller waits for the first.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
dir=$(realpath -m "$1")
shift
writable=0 timeout=3600 shares=()
while [ $# -gt 0 ]; do
    case $1 in
        --writable) writable=1 ;;
        --share) shares+=("$2"); shift ;;
        --timeout) timeout=$2; shift ;;
        --) shift; break ;;
        *) echo "boot: unknown option $1" >&2; exit 2 ;;
    esac
    shift
done
[ $# -gt 0 ] || { echo "boot: no command" >&2; exit 2; }

job=$(mktemp -d "${TMPDIR:-/tmp}/pendrel-guest.XXXXXX")
qemu_pid=
tail_pid=
cleanup() {
    [ -z "$qemu_pid" ] || kill "$qemu_pid" 2>/dev/null
    [ -z "$tail_pid" ] || kill "$tail_pid" 2>/dev/null
    rm -rf "$job"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

{
    printf 'cd %q || exit 1\n' "$PWD"
    printf 'export PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root TERM=dumb\n'
    printf 'exec'
    printf ' %q' "$@"
    printf '\n'
} >"$job/command"
virtfs=(-virtfs "local,path=$job,mount_tag=job,security_model=none")
: >"$job/shares"
n=0
for share in "${shares[@]}"; do
    share=$(cd "$share" && pwd) || exit 1
    case $share in *[[:space:]]*) echo "boot: cannot share a path with spaces: $share" >&2; exit 2 ;; esac
    echo "share$n $share" >>"$job/shares"
    virtfs+=(-virtfs "local,path=$share,mount_tag=share$n,security_model=none")
    n=$((n + 1))
done
: >"$job/output"

# The lock lives beside the cached roots, open to every user of the machine; where it cannot
# be opened (the cache was made by root before the lock was), the user takes one in the
# temporary folder, which guards only that user's guests.
lock=$cache_top/guest.lock
if { mkdir -p "$cache_top" && exec 9>>"$lock"; } 2>/dev/null; then
    chmod a+rw "$lock" 2>/dev/null
else
    echo "guest: $lock cannot be opened here; the one-guest lock is ${TMPDIR:-/tmp}/pendrel-guest-$(id -u).lock, for this user's guests only"
    lock=${TMPDIR:-/tmp}/pendrel-guest-$(id -u).lock
    exec 9>>"$lock" || { echo "guest: cannot open the lock $lock" >&2; exit 1; }
fi
if ! flock -n 9; then
    wait_limit=${PENDREL_GUEST_WAIT:-5400}
    echo "guest: another emulated guest is running on this machine; waiting for it (at most $wait_limit s)"
    flock -w "$wait_limit" 9 || { echo "guest: the other guest did not end within $wait_limit s" >&2; exit 1; }
fi
snapshot=(-snapshot)
[ $writable = 0 ] || snapshot=()
# -cpu max,-smap: QEMU 7.2's emulation reads IRET's stack as supervisor accesses, so with
# SMAP Wine's user-mode IRET faults in the guest kernel and the program is killed.
qemu-system-i386 -M pc -accel tcg,thread=multi,tb-size=512 -cpu max,-smap -smp 2 -m 3072 \
    -kernel "$dir/vmlinuz" -initrd "$dir/initrd.img" -append "console=ttyS0 panic=1 quiet" \
    -drive "file=$dir/root.img,format=raw,if=virtio,cache=unsafe" "${snapshot[@]}" \
    "${virtfs[@]}" -nic none -display none -serial "file:$job/console" -no-reboot \
    </dev/null >"$job/qemu.log" 2>&1 &
qemu_pid=$!
tail -n +1 -f "$job/output" --pid=$qemu_pid &
tail_pid=$!

waited=0
while kill -0 $qemu_pid 2>/dev/null; do
    if [ $waited -ge "$timeout" ]; then
        echo "guest: no end after $timeout s; stopping it"
        kill $qemu_pid
        sleep 2
        kill -9 $qemu_pid 2>/dev/null
        tail -n 20 "$job/console"
        exit 124
    fi
    sleep 1
    waited=$((waited + 1))
done
wait $qemu_pid
qemu_status=$?
qemu_pid=
wait $tail_pid 2>/dev/null
tail_pid=
if [ ! -f "$job/status" ]; then
    echo "guest: the command did not finish (qemu exit status $qemu_status); the guest's console and qemu said:"
    tail -n 30 "$job/console" "$job/qemu.log"
    exit 1
fi
exit "$(cat "$job/status")"
