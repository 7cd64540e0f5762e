#!/usr/bin/env bash
# Installs the build into a scratch root as a distribution would, then checks
# the desktop integration: the desktop entry and the AppStream metadata are
# valid, and they point at the installed program and icons.
set -euo pipefail
build=$1 id=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null
usr=$root/usr
desktop=$usr/share/applications/$id.desktop
metainfo=$usr/share/metainfo/$id.metainfo.xml

desktop-file-validate "$desktop"
appstreamcli validate --no-net --pedantic "$metainfo"
appstreamcli validate-tree --no-net "$root"

entry() { sed -n "s/^$1=//p" "$desktop"; }
exec=$(entry Exec)
[ -x "$usr/bin/$exec" ] || fail "the desktop entry starts '$exec', which is not installed in bin"
grep -q "<binary>$exec</binary>" "$metainfo" || fail "the metadata does not provide the binary '$exec'"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" \
    || fail "the metadata does not launch $id.desktop"

# Every icon size is installed under the entry's icon name, and each picture
# has the size of its folder.
icon=$(entry Icon)
for size in 16 32 64; do
    png=$usr/share/icons/hicolor/${size}x$size/apps/$icon.png
    [ -f "$png" ] || fail "no ${size}x$size icon named '$icon'"
    file -b "$png" | grep -q "^PNG image data, $size x $size," || fail "$png: $(file -b "$png")"
done

[ -s "$usr/share/doc/quelvara/Play-OFL.txt" ] || fail "the typeface licence is not installed"
echo "desktop entry, metadata, program, icons and licence are installed and valid"
