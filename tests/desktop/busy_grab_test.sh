#!/usr/bin/env bash
# A pick started while another program holds the pointer waits for it a
# while: let go within the second, the pick goes on as usual; held for good,
# the pick gives up within two seconds, the colour stays as it was, and a
# pick once the pointer is free works.
# Usage: busy_grab_test.sh CASE (TINTWELL names the binary, PIXEL_CHART the
# chart, POINTER_HOLDER the program holding the pointer)
source "$(dirname "$0")/desktop_lib.sh"
[[ -n ${DISPLAY:-} ]] || { echo "SKIP: no X display"; exit 77; }
POINTER_HOLDER=${POINTER_HOLDER:-$(dirname "$TINTWELL")/../tests/pointer_holder}

brief_hold=0.5 # seconds, well within the second a pick waits
give_up_ms=2000

hold_pointer() { # [SECONDS]: sets $holder
    "$POINTER_HOLDER" "$@" >"$work/holder" &
    holder=$!
    wait_for grep -qx ready "$work/holder" || fail "the pointer holder could not take the pointer"
}

# Whether some program holds the pointer: a grab of our own fails. One that
# succeeds lets go at once, and a pick waiting for the pointer tries again.
pointer_taken() { ! "$POINTER_HOLDER" 0 >/dev/null 2>&1; }

# Ctrl+P to a window already active, so that it arrives while the pointer
# is still held.
press_pick() {
    xdotool windowactivate --sync "$win"
    hold_pointer "$@"
    xdotool key ctrl+p
}

start_app
width=$(xwininfo -root | awk '/Width:/{print $2}')
start_chart 600 100 $((width - 600)) 900
x=1211 y=867
xdotool mousemove $x $y

case $1 in
busy_grab_released)
    press_pick "$brief_hold"
    kill -0 "$holder" 2>/dev/null || fail "the holder let go before Ctrl+P arrived; nothing was tested"
    wait "$holder"
    wait_for picking || fail "the pick did not go on once the pointer was free"
    # A click before the pick takes the pointer would go to the chart.
    wait_for pointer_taken || fail "the pick did not take the pointer once it was free"
    xdotool click 1
    expect_copied "$(chart_colour $x $y)"
    ;;
busy_grab_held)
    press_pick
    asked=$(date +%s%3N)
    wait_for picking || fail "Ctrl+P did not start picking (no magnifier showed)"
    while picking; do
        (($(date +%s%3N) - asked <= give_up_ms)) || fail "still picking $give_up_ms ms after Ctrl+P"
        sleep 0.05
    done
    echo "gave up $(($(date +%s%3N) - asked)) ms after Ctrl+P"
    expect_copied '#000000'
    kill "$holder"
    wait "$holder"
    start_picking
    xdotool click 1
    expect_copied "$(chart_colour $x $y)"
    ;;
*)
    fail "unknown case $1"
    ;;
esac
close_app
echo "PASS: $1"
