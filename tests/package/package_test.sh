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
# Debian 13 names a library built with a 64-bit time_t with a "t64".
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
    [[ $depends =~ (^|, )${library//+/[+]}(t64)?( |,|$) ]] || fail "Depends lacks $library: $depends"
done
[[ $(dpkg-deb -f "$deb" Recommends) == libglib2.0-bin ]] || fail "Recommends: $(dpkg-deb -f "$deb" Recommends)"
contents=$(dpkg-deb -c "$deb")
for path in ./usr/bin/tintwell "./usr/share/applications/$id.desktop" "./usr/share/dbus-1/services/$id.service" \
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
# program calls no libc function that could be fortified, stack clash
# unknown that no function has a frame large enough to need a probe.
# Control-flow integrity is a mark that the linker gives a program only when
# every object in it has it, and Debian's own start files have not: no
# amd64 program has it, Debian 13's own included, though its dpkg-buildflags
# asks for -fcf-protection. Where it does, each object of ours is held to
# it instead. Branch protection, which Debian 13's hardening-check knows and
# Debian 12's does not, is arm64's.
asked=$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get CXXFLAGS)
unasked=(--nocfprotection)
if [[ $asked != *-mbranch-protection* ]] && hardening-check --help 2>&1 | grep -q -- --nobranchprotection; then
    unasked+=(--nobranchprotection)
fi
report=$(hardening-check "${unasked[@]}" "$out/root/usr/bin/tintwell" 2>&1) ||
    fail "hardening-check ${unasked[*]}: $report"
if [[ $asked == *-fcf-protection* ]]; then
    mapfile -t objects < <(find "$build/app/CMakeFiles/tintwell.dir" -name '*.o')
    notes=$(readelf -n "${objects[@]}" "$build"/{core/libcore,platform/libplatform,ui/libui}.a) ||
        fail "readelf could not read the program's objects"
    unmarked=$(awk '/^File:/ { if (file && !marked) print file; file = $2; marked = 0 }
                    /x86 feature: IBT, SHSTK/ { marked = 1 }
                    END { if (file && !marked) print file }' <<<"$notes")
    [[ -z $unmarked ]] || fail "objects without control-flow protection: $unmarked"
fi
echo PASS
