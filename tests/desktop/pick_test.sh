#!/usr/bin/env bash
# Picking takes the physical pixel under the pointer's hot spot, at the root
# coordinates xdotool uses, whatever Qt's scaling and whichever monitor.
# The two_monitors cases run under tests/desktop/with-two-monitors.
# Usage: pick_test.sh CASE (TINTWELL names the binary, PIXEL_CHART the chart)
source "$(dirname "$0")/desktop_lib.sh"
[[ -n ${DISPLAY:-} ]] || { echo "SKIP: no X display"; exit 77; }

# The window opens at the top left; the chart fills the desktop right of it.
open_with_chart() {
    start_app
    local width
    width=$(xwininfo -root | awk '/Width:/{print $2}')
    start_chart 600 100 $((width - 600)) 900
}

pick_by_click() { # X Y
    xdotool mousemove "$1" "$2"
    start_picking
    xdotool click 1
    expect_copied "$(chart_colour "$1" "$2")"
}

pick_by_keys() { # X Y: three right, one down, then ten right
    xdotool mousemove "$1" "$2"
    start_picking
    xdotool key Right Right Right Down shift+Right Return
    expect_copied "$(chart_colour $(($1 + 13)) $(($2 + 1)))"
}

cancel_by() { # XDOTOOL-ACTION...: after hovering the chart, the colour from before
    xdotool mousemove 777 555
    start_picking
    xdotool mousemove 901 403
    xdotool "$@"
    expect_copied '#000000'
}

two_monitors() {
    [[ $(xrandr --listmonitors | head -1) == "Monitors: 2" ]] ||
        { echo "SKIP: needs two monitors (with-two-monitors)"; exit 77; }
}

# Each pick is where half its coordinates fall on the chart too: a pick at
# Qt's scaled position must not land on the window, whose swatch shows the
# colour hovered last and so would pass for the right one. On two monitors
# DUMMY1 spans x 1280..2559.
mixed="DUMMY0=1;DUMMY1=2"
case $1 in
click)
    open_with_chart
    pick_by_click 1211 867
    ;;
cancel_by_escape)
    open_with_chart
    cancel_by key Escape
    ;;
cancel_by_right_click)
    open_with_chart
    cancel_by click 3
    ;;
keyboard)
    open_with_chart
    pick_by_keys 1201 603
    ;;
scale_2x)
    QT_SCALE_FACTOR=2 open_with_chart
    pick_by_click 1211 867
    ;;
keyboard_scale_2x)
    QT_SCALE_FACTOR=2 open_with_chart
    pick_by_keys 1201 603
    ;;
two_monitors_secondary)
    two_monitors
    open_with_chart
    pick_by_click 2001 333
    ;;
two_monitors_primary_moved)
    two_monitors
    # The window opens on DUMMY1, the primary now; the pick is on DUMMY0.
    xrandr --output DUMMY1 --primary
    write_conf $((1380 * 15)) $((67 * 15))
    open_with_chart
    pick_by_click 1211 867
    ;;
two_monitors_mixed_1x)
    two_monitors
    QT_SCREEN_SCALE_FACTORS=$mixed open_with_chart
    pick_by_click 1211 867
    ;;
two_monitors_mixed_2x)
    two_monitors
    QT_SCREEN_SCALE_FACTORS=$mixed open_with_chart
    pick_by_click 2001 333
    ;;
close_while_picking)
    # The grab must not keep the close from the window manager, and the
    # close saves the position as any close does.
    open_with_chart
    xdotool mousemove 777 555
    start_picking
    close_app
    [[ -n $(stored Left) && -n $(stored Top) ]] || fail "no position was saved"
    echo "PASS: $1"
    exit 0
    ;;
*)
    fail "unknown case $1"
    ;;
esac
close_app
echo "PASS: $1"
