#!/usr/bin/env bash
# The end of a session closes tintwell as its close button does: the
# position of the run is saved and the status is 0. Usage:
# session_end_test.sh TERM|HUP|INT|display_lost
source "$(dirname "$0")/desktop_lib.sh"
[[ -n ${DISPLAY:-} ]] || { echo "SKIP: no X display"; exit 77; }

case $1 in
TERM | HUP | INT)
    start_app
    move_frame "$win" 100 200
    kill -"$1" "$app"
    expect_ended "on SIG$1"
    expect_stored 1500 3000
    ;;
display_lost)
    # A display of its own, to take away.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
    xvfb=$!
    wait_for test -s "$work/display" || fail "no X server of its own"
    export DISPLAY=:$(cat "$work/display")
    openbox --sm-disable >/dev/null 2>&1 &
    wait_for sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'
    start_app
    move_frame "$win" 100 200
    kill "$xvfb"
    expect_ended "when its display went away"
    expect_stored 1500 3000
    ;;
*)
    fail "unknown case $1"
    ;;
esac
echo "PASS: $1"
