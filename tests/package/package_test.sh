#!/usr/bin/env bash
# The Debian package carries the project's version, dependencies found by
# scanning the binary, a description in one piece and the installed files
# under /usr, and lintian finds no error or warning in it. From a hardened
# tree, neither lintian nor hardening-check finds the program short of
# Debian's hardening either.
# Usage: package_test.sh BUILD_DIR APP_ID VERSION [hardened|unhardened]
set -u
build=$1 id=$2 version=$3 hardening=${4:-hardened}
fail() { echo "FAIL: $*"; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/log" 2>&1 || fail "cpack: $(cat "$out/log")"
deb=$out/tintwell_${version}_$(dpkg --print-architecture).deb
[[ -f $deb ]] || fail "no $deb; made: $(ls "$out")"

[[ $(dpkg-deb -f "$deb" Package) == tintwell ]] || fail "package name"
[[ $(dpkg-deb -f "$deb" Version) == "$version" ]] || fail "version $(dpkg-deb -f "$deb" Version)"
description=$(dpkg-deb -f "$deb" Description)
[[ $description == $'small desktop colour picker\n Tintwell mixes a colour'* && $description != *';'* ]] ||
    fail "Description: $description"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
    [[ $depends == *"$library "* || $depends == *"$library," || $depends == *"$library" ]] ||
        fail "Depends lacks $library: $depends"
done
contents=$(dpkg-deb -c "$deb")
for path in ./usr/bin/tintwell "./usr/share/applications/$id.desktop" \
    "./usr/share/metainfo/$id.metainfo.xml" "./usr/share/icons/hicolor/scalable/apps/$id.svg" \
    ./usr/share/man/man1/tintwell.1.gz ./usr/share/doc/tintwell/copyright ./usr/share/doc/tintwell/changelog.gz; do
    grep -q " $path\$" <<<"$contents" || fail "package lacks $path"
done

command -v lintian >/dev/null || fail "lintian is not installed (scripts/install-deps test)"
# Lintian reports missing hardening only as information.
findings=$(lintian --fail-on error,warning --display-info "$deb" 2>&1) || fail "lintian: $findings"
[[ $hardening == hardened ]] || { echo "PASS (an unhardened tree: hardening not checked)"; exit 0; }
grep -q ': hardening-' <<<"$findings" && fail "lintian finds the hardening short: $findings"

# What the package installs, stripped as it is.
command -v hardening-check >/dev/null || fail "hardening-check is not installed (scripts/install-deps test)"
dpkg-deb -x "$deb" "$out/root" || fail "dpkg-deb could not unpack $deb"
# A "no" fails and an "unknown" does not: fortification unknown means the
# program calls no libc function that could be fortified. Control-flow
# protection is left out, as Debian 12's dpkg-buildflags does not ask for it.
report=$(hardening-check --nocfprotection "$out/root/usr/bin/tintwell" 2>&1) ||
    fail "hardening-check: $report"
echo PASS
