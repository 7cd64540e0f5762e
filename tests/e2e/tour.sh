#!/usr/bin/env bash
# Runs the real program on a virtual X server and uses it as a person would:
# clicks every menu entry and every arrow with xdotool, saves a screenshot of
# every state and one contact sheet of them all, and ends with Exit.
#
#   tour.sh QUELVARA OUT_DIR                  take the tour, save the pictures
#   tour.sh QUELVARA OUT_DIR --check PICTURES also check every state against the
#                                             page bitmaps in PICTURES, the
#                                             double-click, a hidden arrow,
#                                             Exit and the window manager's close
#
# QUELVARA_TOUR_WRAPPER, when set, is a command the program is run under,
# split at spaces (valgrind, strace, ...); every wait then lasts
# QUELVARA_TOUR_SLOWDOWN times as long, 10 times unless set.
set -euo pipefail

program=$(realpath "$1")
out=$2
check=${4:-}
[ "${3:-}" = "--check" ] || check=
here=$(dirname "$(realpath "$0")")
mkdir -p "$out"
rm -f "$out"/state-*.png

fail() { echo "tour: FAIL: $*" >&2; exit 1; }

read -ra wrapper <<<"${QUELVARA_TOUR_WRAPPER:-}"
if [ ${#wrapper[@]} -gt 0 ] || [ -n "${QUELVARA_TOUR_SLOWDOWN:-}" ]; then
    slowdown=${QUELVARA_TOUR_SLOWDOWN:-10}
    sleep() { command sleep "$(awk -v seconds="$1" -v factor="$slowdown" 'BEGIN { print seconds * factor }')"; }
fi

source "$here/virtual-display.sh"
start_virtual_display || fail "no virtual X server could be started"
pid=
cleanup() {
    if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
    stop_virtual_display
    wait 2>/dev/null || true
}
trap cleanup EXIT

start() {
    "${wrapper[@]}" "$program" &
    pid=$!
    window=
    for _ in $(seq 400); do
        window=$(xdotool search --onlyvisible --name '^Quelvara$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
        sleep 0.05
    done
    [ -n "$window" ] || fail "the window did not appear"
    eval "$(xdotool getwindowgeometry --shell "$window")"
    left=$X
    top=$Y
    sleep 0.3
}

# Waits for the program to end and checks its exit status.
ended() {
    local status=0
    for _ in $(seq 400); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
    kill -0 "$pid" 2>/dev/null && fail "$1: the program is still running"
    wait "$pid" || status=$?
    pid=
    [ "$status" -eq 0 ] || fail "$1: exit status $status"
}

# Client-area points of the controls: the centre of each label and arrow.
declare -A at=(
    [Label5]="516 28" [Label1]="532 92" [Label2]="528 132" [Label3]="524 164"
    [Label4]="524 204" [Label7]="528 244" [Label6]="508 308"
    [I1]="402 306" [I2]="402 306" [I5]="402 306" [I6]="402 306"
    [I3]="26 306" [I4]="26 306" [I7]="26 306" [I8]="26 306"
)

shot() { import -window root -crop "614x330+$left+$top" +repage "$1"; }

click() {
    local x y
    read -r x y <<<"${at[$1]}"
    xdotool mousemove $((left + x)) $((top + y))
    sleep 0.1
    xdotool click "${2:-1}"
    sleep 0.3
}

# The page area's top, above the arrows, must be the page's bitmap exactly.
# A busy machine may take a moment to repaint, so look again for a while.
page_is() {
    [ -n "$check" ] || return 0
    local shown expected differ
    shown=$(mktemp --suffix=.png)
    expected=$(mktemp --suffix=.png)
    convert "$check/$2.bmp" -crop 405x224+0+0 +repage "$expected"
    for _ in $(seq 50); do
        import -window root -crop "405x224+$((left + 10))+$((top + 66))" +repage "$shown"
        differ=$(compare -metric AE "$shown" "$expected" null: 2>&1 || true)
        [ "$differ" = "0" ] && break
        sleep 0.1
    done
    rm -f "$shown" "$expected"
    [ "$differ" = "0" ] || fail "after $1 the page area is not $2 ($differ pixels differ)"
}

# Pixels of the start screen at the designed places: the rules' end points,
# the frames' inner corners, the labels' corners and the background.
layout_is_as_designed() {
    [ -n "$check" ] || return 0
    local file=$1 expected point x y colour
    expected=(
        "424,8:red" "424,320:red" "0,0:red" "152,0:red" "448,56:red" "600,56:red" "8,56:red" "416,56:red"
        "448,280:red" "600,280:red" "425,150:teal" "613,329:teal" "3,3:teal"
        "10,66:black" "414,318:black"
        "472,16:black" "560,40:black" "456,80:black" "608,104:black" "448,192:black" "488,296:black" "528,320:black"
    )
    for point in "${expected[@]}"; do
        x=${point%%,*}; y=${point#*,}; y=${y%%:*}
        colour=$(convert "$file" -format "%[hex:p{$x,$y}]" info:)
        case "${point##*:}" in
        red) [ "$colour" = "FF0000" ] ;;
        teal) [ "$colour" = "008080" ] ;;
        black) [ "$colour" = "000000" ] ;;
        esac || fail "the start screen has $colour at ($x, $y), expected ${point##*:}"
    done
}

start
count=0
shot "$out/state-00-start.png"
layout_is_as_designed "$out/state-00-start.png"
tour=(Label1:Vlas Label2:Hd Label3:Tk1 I1:Tk2 I2:Tk3 I4:Tk2 I3:Tk1
      Label4:Az1 I5:Az2 I6:Az3 I8:Az2 I7:Az1 Label7:Apl Label5:ab)
for step in "${tour[@]}"; do
    control=${step%%:*}
    page=${step##*:}
    count=$((count + 1))
    click "$control"
    page_is "$control" "$page"
    shot "$(printf '%s/state-%02d-%s-%s.png' "$out" "$count" "$control" "$page")"
done

if [ -n "$check" ]; then
    # A click where a hidden arrow would be changes nothing.
    before=$(mktemp --suffix=.png)
    after=$(mktemp --suffix=.png)
    shot "$before"
    click I1
    shot "$after"
    [ "$(compare -metric AE "$before" "$after" null: 2>&1 || true)" = "0" ] || fail "a hidden arrow answered a click"
    rm -f "$before" "$after"

    # Double-clicking I1 on Tk1 shows Tk2, not Tk3.
    click Label3
    read -r x y <<<"${at[I1]}"
    xdotool mousemove $((left + x)) $((top + y))
    sleep 0.1
    xdotool click --repeat 2 --delay 40 1
    sleep 0.3
    page_is "a double-click on I1" Tk2
fi

click Label6
ended "Exit"

if [ -n "$check" ]; then
    # Closing from the window manager ends the program the same way.
    start
    click Label4
    /usr/bin/python3 "$here/close-window.py" "$window"
    ended "the window manager's close"
fi

montage -label '%t' "$out"/state-*.png -tile 3x -geometry +6+6 -background '#202028' -fill white -pointsize 14 \
    -font /usr/share/fonts/truetype/play/Play-Regular.ttf \
    "$out/tour.png"
echo "tour: $((count + 1)) states saved in $out; contact sheet $out/tour.png"
