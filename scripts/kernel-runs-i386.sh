#!/usr/bin/env bash
# Tells whether this kernel runs i386 programs, in one line, and by its exit status:
#   0 it does, 1 it does not, 2 it cannot be told here
#   kernel-runs-i386.sh [FOLDER]...
# A 93-byte i386 ELF that only calls exit(0) through int 0x80 is written and run. A kernel
# without IA32 emulation refuses it ("Exec format error"). The probe is run only from a
# folder where a native program has just been seen to run, so a folder mounted noexec is
# never taken for a kernel that cannot; the folders given are tried first, then the usual
# temporary ones. No binfmt handler is registered or needed for this.
set -u
native=$(command -v true 2>/dev/null | grep / || echo /bin/true)
[ -x "$native" ] || native=/usr/bin/true
limit=10
runs_programs() {
    local copy
    copy=$(mktemp "$1/exec-probe.XXXXXX" 2>/dev/null) || return 1
    cp "$native" "$copy" && chmod +x "$copy" && timeout $limit "$copy" 2>/dev/null
    local status=$?
    rm -f "$copy"
    return $status
}

folder=
for candidate in "$@" "${TMPDIR:-}" /tmp /var/tmp /dev/shm "${HOME:-}"; do
    [ -n "$candidate" ] && [ -d "$candidate" ] && [ -w "$candidate" ] || continue
    if runs_programs "$candidate"; then folder=$candidate; break; fi
done
if [ -z "$folder" ]; then
    echo "cannot tell whether this kernel runs i386 programs: no folder tried lets a program run"
    exit 2
fi

probe=$(mktemp "$folder/i386-probe.XXXXXX") || exit 2
trap 'rm -f "$probe"' EXIT
# ELF header, one loadable segment at 0x08048000, then: xor ebx,ebx; mov eax,1; int 0x80.
printf '\177ELF\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\010\064\0\0\0\0\0\0\0\0\0\0\0\064\0\040\0\1\0\0\0\0\0\0\0' >"$probe"
printf '\1\0\0\0\0\0\0\0\0\200\4\010\0\200\4\010\135\0\0\0\135\0\0\0\5\0\0\0\0\020\0\0' >>"$probe"
printf '\061\333\270\1\0\0\0\315\200' >>"$probe"
chmod +x "$probe"
# Through bash, which reports a refused binary as 126; the C library's execvp would hand it
# to /bin/sh as a script instead.
timeout $limit bash -c 'exec "$0"' "$probe" 2>/dev/null
status=$?
case $status in
    0) echo "the kernel runs i386 programs"; exit 0 ;;
    124) echo "cannot tell whether this kernel runs i386 programs: the probe did not end within $limit s"; exit 2 ;;
    126) echo "this kernel cannot run i386 programs (Exec format error)"; exit 1 ;;
    *) echo "this kernel cannot run i386 programs (the probe ended with status $status)"; exit 1 ;;
esac
