#!/usr/bin/env bash
# The window reopens where it was closed, on a real X server with a real
# window manager. Usage: placement_test.sh CASE (TINTWELL names the binary)
source "$(dirname "$0")/desktop_lib.sh"
[[ -n ${DISPLAY:-} ]] || { echo "SKIP: no X display"; exit 77; }

# 1000 twips at 15 twips per pixel.
default=67

case $1 in
first_run)
    start_app
    expect_position $default $default
    close_app
    expect_stored 1000 1000
    ;;
moved_and_reopened)
    start_app
    move_frame "$win" 100 200
    close_app
    expect_stored 1500 3000
    start_app
    expect_position 100 200
    close_app
    ;;
five_cycles_do_not_drift)
    write_conf 1234 2345
    start_app
    first=$(frame_position "$win")
    close_app
    for _ in 1 2 3 4; do
        start_app
        [[ $(frame_position "$win") == "$first" ]] || fail "drifted from $first to $(frame_position "$win")"
        close_app
    done
    expect_stored 1234 2345
    ;;
top_left_corner)
    write_conf 0 0
    start_app
    expect_position 0 0
    close_app
    expect_stored 0 0
    ;;
partly_off_screen)
    write_conf -300 1500
    start_app
    expect_position -20 100
    close_app
    expect_stored -300 1500
    ;;
not_a_number)
    write_conf abc 3000
    start_app
    expect_position $default 200
    close_app
    expect_stored 1000 3000
    ;;
wholly_off_screen)
    write_conf 900000 900000
    start_app
    expect_position $default $default
    close_app
    expect_stored 1000 1000
    ;;
minimised_when_closed)
    write_conf 1500 3000
    start_app
    xdotool windowminimize "$win"
    wait_for sh -c "xprop -id $win _NET_WM_STATE | grep -q _NET_WM_STATE_HIDDEN" ||
        fail "the window did not minimise"
    close_app
    expect_stored 1500 3000
    ;;
unwritable_store)
    # A settings folder that cannot be made: even root cannot write there.
    touch "$work/file"
    export XDG_CONFIG_HOME=$work/file
    start_app
    expect_position $default $default
    close_app
    grep -q "could not save the window position" "$work/stderr" || fail "no word on stderr"
    ;;
*)
    fail "unknown case $1"
    ;;
esac
echo "PASS: $1"
