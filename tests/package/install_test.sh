#!/usr/bin/env bash
# An install into a fresh prefix holds exactly the program, its menu entry,
# the bus's entry that starts it, its icons, its metadata, its manual page,
# copyright and changelog, and the validators accept them.
# Usage: install_test.sh BUILD_DIR APP_ID VERSION
set -u
build=$1 id=$2 version=$3
fail() { echo "FAIL: $*"; exit 1; }
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null || fail "install failed"

expected=$(printf '%s\n' \
    bin/tintwell \
    "share/applications/$id.desktop" \
    "share/dbus-1/services/$id.service" \
    share/doc/tintwell/changelog.gz \
    share/doc/tintwell/copyright \
    "share/icons/hicolor/128x128/apps/$id.png" \
    "share/icons/hicolor/48x48/apps/$id.png" \
    "share/icons/hicolor/scalable/apps/$id.svg" \
    share/man/man1/tintwell.1.gz \
    "share/metainfo/$id.metainfo.xml" | sort)
installed=$(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | sort)
[[ $installed == "$expected" ]] || fail "installed files differ:$(diff <(echo "$expected") <(echo "$installed"))"

desktop=$prefix/share/applications/$id.desktop
complaints=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $complaints"
[[ -z $complaints ]] || fail "desktop-file-validate: $complaints"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null ||
    fail "appstreamcli: $(appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml")"

for line in "Name=Tintwell" "Exec=tintwell" "Icon=$id" "StartupWMClass=Tintwell" "DBusActivatable=true"; do
    grep -qx "$line" "$desktop" || fail "desktop entry lacks $line"
done
# The bus starts the program where it was installed.
grep -qx "Exec=$prefix/bin/tintwell" "$prefix/share/dbus-1/services/$id.service" ||
    fail "the bus's entry starts $(sed -n 's/^Exec=//p' "$prefix/share/dbus-1/services/$id.service")"
grep -q "<release version=\"$version\"" "$prefix/share/metainfo/$id.metainfo.xml" ||
    fail "metadata release is not $version"
for size in 48 128; do
    file "$prefix/share/icons/hicolor/${size}x$size/apps/$id.png" | grep -q "PNG image data, $size x $size" ||
        fail "the $size px icon is not $size x $size"
done
[[ -x $prefix/bin/tintwell ]] || fail "bin/tintwell is not executable"
echo PASS
