#!/usr/bin/env bash
# Runs one command inside the i386 root directory by chroot, for hosts whose kernel runs
# i386 programs natively, from the current folder, with host folders at the same paths:
#   chroot.sh ROOT [--share FOLDER]... -- COMMAND...
#   chroot.sh --release ROOT    unmounts whatever a killed run or build left under ROOT
# The mounts are made in a mount namespace of the command's own, so they vanish with it and
# parallel runs never see each other's. /tmp, /root and /run are fresh tmpfs each time: the
# cached root is shared by every clone and stays as it was made (except in make-root.sh's
# own configuration run, which writes outside them). The host's X display is used when there
# is one (so `make run` shows the wizard); otherwise the command starts its own.
set -eu
if [ "${1:-}" = --release ]; then
    root=$(cd "$2" 2>/dev/null && pwd) || exit 0
    awk -v r="$root" 'index($2, r "/") == 1 { print $2 }' /proc/self/mounts | sort -r |
        while read -r m; do umount -l "$m"; done
    exit 0
fi
if [ "$(id -u)" != 0 ]; then
    echo "chroot: entering the 32-bit root needs root" >&2
    exit 1
fi
root=$(cd "$1" && pwd)
shift
shares=()
while [ $# -gt 0 ]; do
    case $1 in
        --share) shares+=("$(cd "$2" && pwd)"); shift ;;
        --) shift; break ;;
        *) echo "chroot: unknown option $1" >&2; exit 2 ;;
    esac
    shift
done
[ $# -gt 0 ] || { echo "chroot: no command" >&2; exit 2; }

# The namespace's own script: mounts, then the command. Its $0 is the script that makes
# every mount it starts with private; its arguments: the root, the number of shares, the
# shares, the working folder, then the command.
exec unshare --mount --propagation unchanged bash -eu -c '
    "$0"
    root=$1 n=$2
    shift 2
    shares=("${@:1:$n}")
    shift "$n"
    cwd=$1
    shift
    mount -t proc proc "$root/proc"
    mount --rbind /sys "$root/sys"
    mount --bind /dev "$root/dev"
    mount --bind /dev/pts "$root/dev/pts"
    for d in tmp root run; do mount -t tmpfs -o mode=1777 "pendrel-$d" "$root/$d"; done
    chmod 700 "$root/root"
    env=(PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root TERM="${TERM:-dumb}")
    if [ -n "${DISPLAY:-}" ] && [ -d /tmp/.X11-unix ]; then
        mkdir "$root/tmp/.X11-unix"
        mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
        env+=(DISPLAY="$DISPLAY")
        if [ -n "${XAUTHORITY:-}" ]; then
            cp "$XAUTHORITY" "$root/tmp/.Xauthority"
            env+=(XAUTHORITY=/tmp/.Xauthority)
        fi
    fi
    for share in "${shares[@]}"; do
        mkdir -p "$root$share"
        mount --bind "$share" "$root$share"
    done
    exec chroot "$root" /usr/bin/env -i "${env[@]}" /bin/sh -c '\''cd "$1" 2>/dev/null ||
            { echo "chroot: the folder $1 is not shared into the root" >&2; exit 1; }
        shift && exec "$@"'\'' \
        command "$cwd" "$@"
' "$(cd "$(dirname "$0")" && pwd)/private-mounts.sh" "$root" "${#shares[@]}" "${shares[@]}" "$PWD" "$@"
