#!/usr/bin/env bash
# Takes the real program through every page on a virtual display, as
# tests/e2e/tour.sh does, once under valgrind's memcheck and twice under
# strace, and checks what they saw with check-trace.py:
#   - the program's own code loses no memory and makes no memory error;
#   - the program, and anything it starts, reads no file of its own content,
#     writes no file, starts no other program and opens no socket but the
#     display's, and the session bus's when there is one.
# The first strace run has a session bus, as a desktop has; the second has
# none, as a bare X server has.
#
#   io-leak-check.sh QUELVARA SOURCE_DIR BUILD_DIR PICTURES OUT_DIR
set -euo pipefail

# The same plain X session wherever the check runs: nothing of the caller's
# desktop, theme, input method or session bus reaches the program.
if [ -z "${QUELVARA_IO_CHECK_ENVIRONMENT:-}" ]; then
    exec env -i QUELVARA_IO_CHECK_ENVIRONMENT=1 PATH="$PATH" HOME="$HOME" LANG=C.UTF-8 bash "$0" "$@"
fi

program=$(realpath "$1")
sources=$(realpath "$2")
build=$(realpath "$3")
pictures=$4
out=$5
here=$(dirname "$(realpath "$0")")
tour=$here/../e2e/tour.sh

fail() { echo "io-leak-check: FAIL: $*" >&2; exit 1; }
for tool in valgrind strace dbus-run-session python3; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done

rm -rf "$out"
mkdir -p "$out/memcheck" "$out/strace-bus" "$out/strace-no-bus"
# A runtime folder of its own, as a desktop session has; without one Qt
# makes /tmp/runtime-$USER.
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR=$runtime
check() { python3 "$here/check-trace.py" "$1" --program "$program" --tree "$sources" --tree "$build" "${@:2}"; }

# Runs a command with a session bus of its own and keeps the bus's address.
with_bus() {
    dbus-run-session -- bash -c 'printf %s "$DBUS_SESSION_BUS_ADDRESS" >"$0" && exec "$@"' "$out/bus-address" "$@" \
        2> >(grep -v 'Failed to set fd limit' >&2)
}

# strace goes on tracing whatever the program started until that ends too;
# wait until every thread's record is complete.
traces_complete() {
    local trace complete
    for _ in $(seq 100); do
        complete=true
        for trace in "$1"/trace.*; do
            [[ "$(tail -n 1 "$trace")" == "+++ "* ]] || complete=false
        done
        $complete && return 0
        sleep 0.1
    done
    echo "io-leak-check: some strace records in $1 are not complete" >&2
}

echo "io-leak-check: the tour under memcheck"
start=$SECONDS
wrapper="valgrind --tool=memcheck --leak-check=full --num-callers=50 --suppressions=$here/valgrind.supp"
wrapper+=" --xml=yes --xml-file=$out/memcheck/run-%p.xml"
QUELVARA_TOUR_SLOWDOWN=5 QUELVARA_TOUR_WRAPPER=$wrapper with_bus bash "$tour" "$program" "$out/memcheck" --check "$pictures"
memcheck=0
check memcheck "$out"/memcheck/run-*.xml || memcheck=1
echo "io-leak-check: memcheck took $((SECONDS - start)) s"

strace=0
for bus in bus no-bus; do
    echo "io-leak-check: the tour under strace, ${bus/-/ }"
    start=$SECONDS
    wrapper="strace -DDD -ff -q -yy -s 256 -o $out/strace-$bus/trace"
    if [ "$bus" = bus ]; then
        QUELVARA_TOUR_SLOWDOWN=2 QUELVARA_TOUR_WRAPPER=$wrapper with_bus bash "$tour" "$program" "$out/strace-$bus" --check "$pictures"
        address=$(cat "$out/bus-address")
    else
        env -u DBUS_SESSION_BUS_ADDRESS QUELVARA_TOUR_SLOWDOWN=2 QUELVARA_TOUR_WRAPPER="$wrapper" \
            bash "$tour" "$program" "$out/strace-$bus" --check "$pictures"
        address=
    fi
    traces_complete "$out/strace-$bus"
    check strace ${address:+--bus "$address"} "$out/strace-$bus"/trace.* || strace=1
    echo "io-leak-check: strace, ${bus/-/ }, took $((SECONDS - start)) s"
done

[ "$memcheck" -eq 0 ] || fail "memcheck found memory lost or misused by the program's own code (see above)"
[ "$strace" -eq 0 ] || fail "strace saw the program touch what it must not (see above)"
echo "io-leak-check: no leak, no memory error and no file or socket of concern"
