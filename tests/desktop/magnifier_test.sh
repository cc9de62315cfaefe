#!/usr/bin/env bash
# The magnifier zooms and the sample averages, over a checkerboard whose
# pixels are known: each zoom shows every pixel as a square of that many
# screen pixels, read back from the magnifier's window with xwd, and each
# sample takes the checkerboard's own mean, with what lies beyond the
# screen's edge left out.
# Usage: magnifier_test.sh (TINTWELL names the binary, PIXEL_CHART the chart)
source "$(dirname "$0")/desktop_lib.sh"
[[ -n ${DISPLAY:-} ]] || { echo "SKIP: no X display"; exit 77; }
command -v xwd >/dev/null || { echo "SKIP: no xwd (x11-apps)"; exit 77; }
xwd_pixels=$(dirname "$0")/../support/xwd_pixels.py

read -r width height < <(xwininfo -root | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w, h}')
start_app
# White where x + y is odd, black where it is even.
"$PIXEL_CHART" 600 100 $((width - 600)) $((height - 100)) 0 checker >"$work/chart" &
wait_for grep -qx ready "$work/chart" || fail "the checkerboard did not appear"

# The lengths of the runs of one colour along a row of the magnified pixels,
# the partly shown ones at either end left out.
runs() {
    local magnifier points=()
    magnifier=$(xdotool search --all --onlyvisible --pid "$app" --name '^Magnifier$' | head -1)
    for x in $(seq 1 192); do points+=("$x,11"); done
    xwd -id "$magnifier" -silent | /usr/bin/python3 "$xwd_pixels" "${points[@]}" |
        awk 'NR > 1 { if ($2 != last && n) { print n; n = 0 } last = $2; n++ }' | sed '1d' | sort -u | paste -sd' '
}
expect_zoom() { # ZOOM
    wait_for test "$(runs)" = "$1" || fail "the magnifier shows runs of $(runs) pixels, expected only $1"
}

pick() { # X Y KEYS...: the keys while picking there, then Enter; expects the copied colour last
    xdotool mousemove "$1" "$2"
    start_picking
    shift 2
    xdotool key "$@" Return
}

xdotool mousemove 901 401
start_picking
expect_zoom 8
xdotool key plus
expect_zoom 16
xdotool click 5 click 5 click 5
expect_zoom 4
xdotool key minus Escape
wait_for not_picking || fail "Esc did not end the pick"

# Each pick starts with the one pixel; 901 + 401 is even, so black.
pick 901 401
expect_copied '#000000'
# 3 × 3 around white: five white, four black.
pick 902 401 bracketright
expect_copied '#8E8E8E'
# 3 × 3 around black, by Ctrl and the wheel: four white, five black.
xdotool mousemove 901 401
start_picking
xdotool keydown ctrl click 4 keyup ctrl key Return
expect_copied '#717171'
# 9 × 9 around white, then back to 5 × 5: thirteen white, twelve black.
pick 902 401 bracketright bracketright bracketright bracketleft
expect_copied '#858585'
# In the screen's corner only four pixels of the 3 × 3 are on it, two white
# and two black: 127.5, half up to 128. Counted as black, the rest would
# make it 57.
pick $((width - 1)) $((height - 1)) bracketright
expect_copied '#808080'
close_app
echo PASS
