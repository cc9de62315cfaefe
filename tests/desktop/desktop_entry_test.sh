#!/usr/bin/env bash
# The running window's class is the one the desktop entry names, so docks
# and task bars match the window to its menu entry and icon.
# Usage: desktop_entry_test.sh DESKTOP_FILE
source "$(dirname "$0")/desktop_lib.sh"
[[ -n ${DISPLAY:-} ]] || { echo "SKIP: no X display"; exit 77; }

wm_class=$(sed -n 's/^StartupWMClass=//p' "$1")
start_app
class=$(xprop -id "$win" WM_CLASS | sed 's/.*", "//; s/"$//')
[[ $class == "$wm_class" ]] || fail "window class $class, desktop entry says $wm_class"
close_app
echo PASS
