#!/usr/bin/env bash
# Runs a command inside the 32-bit Debian root, made first if this machine has none yet,
# from the current folder; the clone (and each --share folder) is seen at the same path
# inside, so the absolute paths CMake writes into a build tree hold there too:
#   run.sh chroot [--share FOLDER]... COMMAND...   by chroot (the kernel runs i386 programs)
#   run.sh qemu   [--share FOLDER]... COMMAND...   in a guest booted under qemu-system-i386
# The command runs on a display inside the root, its output comes out here as it is
# written, and its exit status is returned. The variables PENDREL_*, WINEDEBUG and CTEST_*
# are passed in. PENDREL_GUEST_TIMEOUT (seconds, default 2700) bounds an emulated run.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
kind=${1:?usage: run.sh chroot|qemu [--share FOLDER]... COMMAND...}
shift
top=$(dirname "$scripts_dir")
shares=("$top")
while [ "${1:-}" = --share ]; do
    folder=$(cd "$2" && pwd)
    case $folder/ in "$top"/*) ;; *) shares+=("$folder") ;; esac
    shift 2
done
[ $# -gt 0 ] || { echo "run: no command" >&2; exit 2; }

"$here/make-root.sh" "$kind" >&2
root=$(root_path "$kind")
env=()
while IFS= read -r name; do
    env+=("$name=${!name}")
done < <(compgen -e | grep -E '^(PENDREL_|WINEDEBUG$|CTEST_)' || true)
command=(/usr/bin/env "${env[@]}" /bin/bash "$here/in-root.sh" "$kind" "$@")
share_args=()
for s in "${shares[@]}"; do share_args+=(--share "$s"); done
if [ "$kind" = chroot ]; then
    # The cache entry holds the root folder itself beside its marks.
    exec "$here/chroot.sh" "$root/root" "${share_args[@]}" -- "${command[@]}"
fi
exec "$here/boot.sh" "$root" "${share_args[@]}" --timeout "${PENDREL_GUEST_TIMEOUT:-2700}" -- "${command[@]}"
