#!/usr/bin/env bash
# Runs a command on the current X display, or on a virtual one when there is none.
# The virtual display is the first from PENDREL_DISPLAY_FIRST (99) that no server holds, by
# its lock file or by its socket in the abstract namespace. A chroot with a /tmp of its own
# cannot see this host's lock files but shares that namespace, and an Xvfb whose socket is
# taken there does not start: the 32-bit root counts from another number (in-root.sh), so
# that suites started at the same moment inside and outside it never reach for the same one.
if [ -n "${DISPLAY:-}" ]; then
    exec "$@"
fi
n=${PENDREL_DISPLAY_FIRST:-99}
while [ -e "/tmp/.X$n-lock" ] || grep -q "@/tmp/.X11-unix/X$n\$" /proc/net/unix 2>/dev/null; do
    n=$((n + 1))
done
exec xvfb-run -a -n "$n" -s "-screen 0 1024x768x24" "$@"
