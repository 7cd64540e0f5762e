#!/usr/bin/env bash
# Builds the Debian package from the build, unpacks it into a scratch root and
# checks its files, its control fields and what lintian says of it.
set -euo pipefail
build=$1 id=$2 version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" || {
    cat "$work/cpack.log" >&2
    fail "cpack could not make the package"
}
debs=("$work"/out/quelvara_"$version"_*.deb)
[ -f "${debs[0]}" ] || fail "no quelvara_${version}_*.deb among: $(ls "$work/out")"
deb=${debs[0]}

root=$work/root
dpkg -x "$deb" "$root"
for path in bin/quelvara share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
    share/icons/hicolor/{16x16,32x32,64x64}/apps/$id.png \
    share/doc/quelvara/{Play-OFL.txt,copyright,changelog.gz} share/man/man1/quelvara.1.gz; do
    [ -f "$root/usr/$path" ] || fail "the package lacks /usr/$path"
done
stray=$(cd "$root" && find . -type f ! -path './usr/*')
[ -z "$stray" ] || fail "the package installs files outside /usr: $stray"
zcat "$root/usr/share/doc/quelvara/changelog.gz" | head -1 | grep -qF "quelvara ($version)" \
    || fail "the changelog's latest entry is not $version"
grep -qF "<release version=\"$version\"" "$root/usr/share/metainfo/$id.metainfo.xml" \
    || fail "the metadata has no release $version"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = quelvara ] || fail "package name is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "version is '$(field Version)'"
[ "$(field Section)" = education ] || fail "section is '$(field Section)'"
depends=$(field Depends)
echo "Depends: $depends"
for package in libqt6core6 libqt6gui6 libqt6widgets6 libstdc++6 libc6; do
    [[ ", $depends," == *", $package "* || ", $depends," == *", $package,"* ]] || fail "Depends lacks $package"
done
# Only the picture generator uses Qt SVG, at build time.
[[ $depends != *libqt6svg* ]] || fail "Depends names Qt SVG, which the program does not use"

# Errors fail the check; warnings are shown.
lintian --fail-on error --tag-display-limit 0 "$deb"
echo "$(basename "$deb"): files, control fields and lintian check out"
