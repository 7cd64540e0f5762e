# Sourced by the end-to-end scripts: a virtual X server of their own.
#
# start_virtual_display starts Xvfb on a number nobody else uses — a random
# one well away from the low numbers desktops and other tests take — exports
# DISPLAY and sets xvfb to its process id; stop_virtual_display ends it.

start_virtual_display() {
    local number attempt
    xvfb=
    for attempt in $(seq 20); do
        number=$((RANDOM % 800 + 100))
        [ -e "/tmp/.X$number-lock" ] && continue
        # A server elsewhere, in another folder tree, may hold the number's
        # abstract socket without a lock file here.
        grep -q "@/tmp/.X11-unix/X$number\$" /proc/net/unix 2>/dev/null && continue
        Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        xvfb=$!
        for _ in $(seq 100); do
            kill -0 "$xvfb" 2>/dev/null || break
            xdpyinfo -display ":$number" >/dev/null 2>&1 && break
            sleep 0.05
        done
        if kill -0 "$xvfb" 2>/dev/null && xdpyinfo -display ":$number" >/dev/null 2>&1; then
            export DISPLAY=":$number"
            return 0
        fi
        kill "$xvfb" 2>/dev/null || true
        xvfb=
    done
    echo "no virtual X server could be started" >&2
    return 1
}

stop_virtual_display() {
    if [ -n "${xvfb:-}" ]; then kill "$xvfb" 2>/dev/null || true; fi
}
