#!/usr/bin/env bash
# The Debian package carries the project's version, dependencies found by
# scanning the binary, and the installed files under /usr.
# Usage: package_test.sh BUILD_DIR APP_ID VERSION
set -u
build=$1 id=$2 version=$3
fail() { echo "FAIL: $*"; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/log" 2>&1 || fail "cpack: $(cat "$out/log")"
deb=$out/tintwell_${version}_$(dpkg --print-architecture).deb
[[ -f $deb ]] || fail "no $deb; made: $(ls "$out")"

[[ $(dpkg-deb -f "$deb" Package) == tintwell ]] || fail "package name"
[[ $(dpkg-deb -f "$deb" Version) == "$version" ]] || fail "version $(dpkg-deb -f "$deb" Version)"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
    [[ $depends == *"$library "* || $depends == *"$library," || $depends == *"$library" ]] ||
        fail "Depends lacks $library: $depends"
done
contents=$(dpkg-deb -c "$deb")
for path in ./usr/bin/tintwell "./usr/share/applications/$id.desktop" \
    "./usr/share/metainfo/$id.metainfo.xml" "./usr/share/icons/hicolor/scalable/apps/$id.svg"; do
    grep -q " $path\$" <<<"$contents" || fail "package lacks $path"
done
echo PASS
