#!/usr/bin/env bash
# Picking at any screen depth gives each channel the nearest eight-bit level
# of the server's own pixel value, value × 255 / largest: the values and the
# visual's masks are read back with xwd, not through tintwell. Runs under
# tests/desktop/with-depth.
# Usage: depth_pick_test.sh DEPTH (TINTWELL names the binary, PIXEL_SWATCHES the swatches)
source "$(dirname "$0")/desktop_lib.sh"
[[ -n ${DISPLAY:-} ]] || { echo "SKIP: no X display"; exit 77; }
command -v xwd >/dev/null || { echo "SKIP: no xwd (x11-apps)"; exit 77; }
depth=$1
PIXEL_SWATCHES=${PIXEL_SWATCHES:-$(dirname "$TINTWELL")/../tests/pixel_swatches}
xwd_pixels=$(dirname "$0")/../support/xwd_pixels.py

root_depth=$(xwininfo -root | awk '/Depth:/{print $2}')
[[ $root_depth == "$depth" ]] || fail "the screen is $root_depth bits deep, expected $depth"

# Levels in the visual's own units whose exact eight-bit value lies close to
# a half, either side, so rounding and cutting off the low bits disagree.
case $depth in
16) swatches=(1:1:31 20:32:11 16:31:20) ;;        # 5-6-5
24) swatches=(18:171:127 0:255:1) ;;              # 8-8-8: as they are
30) swatches=(2:514:1023 1020:1021:3 513:1:511) ;; # 10-10-10
*) fail "no swatches for depth $depth" ;;
esac
size=40 left=600 top=100

start_app
"$PIXEL_SWATCHES" $left $top $size "${swatches[@]}" >"$work/swatches" &
wait_for grep -qx ready "$work/swatches" || fail "the swatches did not appear"

# The swatches' own window: read from the root, xwd would convert every
# pixel to eight bits a channel as soon as tintwell's windows (another
# visual) are on the screen.
inside=()
for i in "${!swatches[@]}"; do
    inside+=("$((i * size + size / 2)),$((size / 2))")
done
xwd -name pixel_swatches -silent | /usr/bin/python3 "$xwd_pixels" "${inside[@]}" >"$work/read" ||
    fail "xwd's dump could not be read"
read -r _ _ dumped _ <"$work/read"
head -1 "$work/read"
[[ $dumped == "$depth" ]] || fail "xwd wrote the pixels $dumped bits deep, not as the screen holds them"
mapfile -t read_back < <(tail -n +2 "$work/read")
((${#read_back[@]} == ${#swatches[@]})) || fail "read ${#read_back[@]} of ${#swatches[@]} swatches"
for i in "${!swatches[@]}"; do
    read -r levels colour <<<"${read_back[i]}"
    [[ $levels == "${swatches[i]}" ]] ||
        fail "the screen holds $levels where the swatch was drawn with ${swatches[i]}"
    xdotool mousemove $((left + i * size + size / 2)) $((top + size / 2))
    start_picking
    xdotool click 1
    expect_copied "$colour"
    echo "$levels picked as $colour"
done
close_app
echo "PASS: depth $depth"
