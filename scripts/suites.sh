#!/usr/bin/env bash
# What `make test` runs once the PE32 is built, side by side:
#   suites.sh BUILD JOBS
# the PE32 suite (in the 32-bit root, as the mode says) in front; behind it the 64-bit
# build, then the 64-bit suite (on this host, under wine64) beside the reproducibility
# check's two clean builds. A GUI scenario spends most of its time waiting for windows to
# appear and go (the CPU stays about four fifths idle while one runs), so all of it takes
# little longer than the PE32 suite alone. Each Wine has its own prefix, server and display:
# the 64-bit suite always a virtual one, never a screen shared with the PE32 scenarios. (A
# virtual display started inside the root cannot see the host's lock files, but xvfb-run -a
# moves on to the next number when the X socket, which both share, is taken.) The PE32
# suite's output is shown as it comes, the rest when all have ended.
# Fails when any part failed, naming it.
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(realpath -m "$1")
jobs=${2:-$(nproc)}
mode=$(sed -n 's/^PENDREL_MODE=//p' "$build/mode")
logs=$build/suite-logs
rm -rf "$logs"
mkdir -p "$logs"
# Where the PE32 suite runs in full, the 64-bit one leaves out the tests labelled
# once_per_run (the fault scenarios and most matrix cells): they run once, on the shipped file.
once=()
[ "$mode" != chroot ] || once=(-LE once_per_run)

# Each part leaves its output in NAME.log and its exit status in NAME.status.
part() {
    local name=$1
    shift
    "$@" >"$logs/$name.log" 2>&1
    echo $? >"$logs/$name.status"
}
behind() {
    part build64 cmake --build "$build/win64" -j"$jobs"
    [ "$(cat "$logs/build64.status")" = 0 ] || return
    part repro "$here/check-reproducible.sh" "$build/repro" &
    part win64 env -u DISPLAY -u XAUTHORITY "$here/with-display.sh" \
        ctest --test-dir "$build/win64" --output-on-failure --no-tests=error "${once[@]}"
    wait
}
behind &
behind_job=$!
"$here/pe32-suite.sh" "$build/mode" "$build/win" --output-on-failure
echo $? >"$logs/pe32.status"
wait $behind_job

status() { cat "$logs/$1.status" 2>/dev/null || echo "not run"; }
failed=
[ "$(status pe32)" = 0 ] || failed+=" the PE32 suite,"
if [ "$(status build64)" != 0 ]; then
    cat "$logs/build64.log"
    failed+=" the 64-bit build,"
else
    echo
    echo "64-bit suite (build/win64, on this host under wine64${once:+, without the tests labelled once_per_run}):"
    cat "$logs/win64.log"
    [ "$(status win64)" = 0 ] || failed+=" the 64-bit suite,"
    echo
    cat "$logs/repro.log"
    [ "$(status repro)" = 0 ] || failed+=" the reproducibility check,"
fi
if [ -n "$failed" ]; then
    echo "failed:${failed%,}"
    exit 1
fi
