#!/usr/bin/env bash
# Started where no display can be opened, tintwell says so in one line and
# exits with status 2, instead of the toolkit's abort.
# Usage: no_display_test.sh PATH-TO-TINTWELL
set -u
binary=$1
fail() { echo "FAIL: $*"; exit 1; }

for platform in xcb ""; do
    err=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM="$platform" "$binary" 2>&1 >/dev/null)
    status=$?
    [[ $status -eq 2 ]] || fail "platform '$platform': exit status $status, not 2 ($err)"
    lines=$(printf '%s\n' "$err" | grep -c .)
    [[ $lines -eq 1 ]] || fail "platform '$platform': $lines lines on stderr: $err"
    [[ $err == "tintwell: cannot open a display: neither DISPLAY nor WAYLAND_DISPLAY is set" ]] ||
        fail "platform '$platform': says '$err'"
done

# A display that is named but not there.
err=$(DISPLAY=:99999 QT_QPA_PLATFORM=xcb "$binary" 2>&1 >/dev/null)
status=$?
[[ $status -eq 2 ]] || fail "dead display: exit status $status"
[[ $err == *"tintwell: cannot open a display: "*":99999"* ]] || fail "dead display: says '$err'"
echo "PASS"
