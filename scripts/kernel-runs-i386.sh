#!/usr/bin/env bash
# Succeeds when this kernel runs i386 programs: a 93-byte i386 ELF that only calls exit(0)
# through int 0x80 is written and run. A kernel without IA32 emulation refuses it at once
# ("Exec format error"). No binfmt handler is registered or needed for this.
set -u
probe=$(mktemp "${TMPDIR:-/tmp}/i386-probe.XXXXXX") || exit 1
trap 'rm -f "$probe"' EXIT
# ELF header, one loadable segment at 0x08048000, then: xor ebx,ebx; mov eax,1; int 0x80.
printf '\177ELF\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\010\064\0\0\0\0\0\0\0\0\0\0\0\064\0\040\0\1\0\0\0\0\0\0\0' >"$probe"
printf '\1\0\0\0\0\0\0\0\0\200\4\010\0\200\4\010\135\0\0\0\135\0\0\0\5\0\0\0\0\020\0\0' >>"$probe"
printf '\061\333\270\1\0\0\0\315\200' >>"$probe"
chmod +x "$probe"
"$probe" 2>/dev/null
