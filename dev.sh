#!/usr/bin/env bash
# Builds, runs and tests Quelvara on Debian 12 or Ubuntu.
#   ./dev.sh run    install what is missing, build, start the program; with no
#                   display, tour it on a virtual one and save screenshots
#   ./dev.sh test   install what is missing, build, run every test
# Both steps skip whatever is already done, so a second call is quick.
set -euo pipefail
cd "$(dirname "$0")"

# Everything the build, the program and the tests need, by Debian package.
packages=(
    cmake ninja-build g++ pkg-config clang-format
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 libgl-dev
    fonts-play
    hunspell hunspell-sk
    xvfb xauth xdotool x11-utils imagemagick python3-xlib
    valgrind strace
    desktop-file-utils appstream lintian dpkg-dev fakeroot file
    at-spi2-core dbus dbus-x11 python3-pyatspi qt6-translations-l10n
    python3 libxcb1-dev
)

say() { printf 'dev.sh: %s\n' "$*"; }

install_missing() {
    local missing=()
    for package in "${packages[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    say "installing ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1; then
            sudo=(sudo)
        else
            say "these packages are missing and I am neither root nor able to use sudo: ${missing[*]}" >&2
            say "install them with apt-get as root, then run this again." >&2
            exit 1
        fi
    fi
    export DEBIAN_FRONTEND=noninteractive
    if ! "${sudo[@]}" apt-get update -q || ! "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"; then
        say "apt-get could not install: ${missing[*]}" >&2
        exit 1
    fi
}

build() {
    local preset=$1
    if [ ! -f "build/$preset/build.ninja" ]; then
        cmake --preset "$preset"
    fi
    cmake --build --preset "$preset"
}

check_format() {
    local files
    mapfile -t files < <(git ls-files --cached --others --exclude-standard '*.cpp' '*.h' 2>/dev/null || find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
    clang-format --dry-run --Werror "${files[@]}"
    say "formatting of ${#files[@]} C++ files checked"
}

command=${1:-}
case "$command" in
run)
    install_missing
    build dev
    if { [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; } || [ -n "${WAYLAND_DISPLAY:-}" ]; then
        exec build/dev/app/quelvara
    fi
    # No display here: take the program through every page on a virtual one.
    say "no display: touring the program on a virtual X server"
    exec bash tests/e2e/tour.sh build/dev/app/quelvara build/dev/tour
    ;;
test)
    install_missing
    # CI treats every compiler warning as an error.
    preset=dev
    [ "${CI:-}" = "true" ] && preset=ci
    check_format
    build "$preset"
    ctest --preset "$preset"
    # The whole suite once more with the address, undefined-behaviour and
    # leak sanitizers.
    build asan
    ctest --preset asan
    ;;
*)
    echo "usage: $0 run | test" >&2
    exit 2
    ;;
esac
