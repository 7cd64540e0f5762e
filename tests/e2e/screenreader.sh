#!/usr/bin/env bash
# Runs the real program with the desktop's accessibility bus, as it runs
# beside a screen reader, and checks through that bus what a screen reader
# would read and press.
#   screenreader.sh QUELVARA GENERATOR SOURCES
set -euo pipefail
program=$(realpath "$1")
generator=$(realpath "$2")
sources=$(realpath "$3")
here=$(dirname "$(realpath "$0")")
work=$(mktemp -d)

source "$here/virtual-display.sh"
start_virtual_display
trap 'stop_virtual_display; rm -rf "$work"' EXIT

# What each page checked should read, from the page sources.
pages=(Vlas Hd Tk1 Tk2 Tk3 Az1 Az2 Az3 Apl ab)
for page in "${pages[@]}"; do
    QT_QPA_PLATFORM=offscreen "$generator" spoken-text --sources "$sources" --page "$page" >"$work/$page.txt"
done

# A session bus of its own, with the accessibility bus on it.
dbus-run-session -- bash -c '
    set -euo pipefail
    /usr/libexec/at-spi-bus-launcher --launch-immediately &
    launcher=$!
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$1" &
    program=$!
    status=0
    expected=()
    for page in ${4}; do expected+=("$page=$3/$page.txt"); done
    /usr/bin/python3 "$2/screenreader.py" "${expected[@]}" || status=$?
    # Exit, pressed through the bus, ends the program with status 0.
    for _ in $(seq 100); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$program" 2>/dev/null; then
        echo "screenreader: FAIL: the program still runs after Exit" >&2
        kill "$program"
        status=1
    elif ! wait "$program"; then
        echo "screenreader: FAIL: the program ended with a non-zero status" >&2
        status=1
    fi
    kill "$launcher" 2>/dev/null || true
    exit "$status"
' screenreader "$program" "$here" "$work" "${pages[*]}"
