#!/usr/bin/env bash
# Started where no display can be opened, the program says so on one line
# and ends with status 1, instead of aborting.
set -uo pipefail
program=$1
for display in ":4999" ""; do
    stderr=$(mktemp)
    if [ -n "$display" ]; then
        DISPLAY=$display QT_QPA_PLATFORM= "$program" 2>"$stderr"
    else
        env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$program" 2>"$stderr"
    fi
    status=$?
    lines=$(wc -l <"$stderr")
    message=$(cat "$stderr")
    rm -f "$stderr"
    echo "DISPLAY='$display': status $status, stderr: $message"
    [ "$status" -eq 1 ] || { echo "FAIL: expected status 1"; exit 1; }
    [ "$lines" -eq 1 ] || { echo "FAIL: expected one line on standard error, got $lines"; exit 1; }
    case "$message" in
    "quelvara: cannot open a display"*) ;;
    *) echo "FAIL: the line does not say the display cannot be opened"; exit 1 ;;
    esac
done
