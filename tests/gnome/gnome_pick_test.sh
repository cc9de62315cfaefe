#!/usr/bin/env bash
# Picks from the screen on a real GNOME desktop: tintwell on a headless
# gnome-shell, natively or on its XWayland, through the real
# xdg-desktop-portal and its GNOME back end. A full-screen chart whose every
# device pixel names its own position catches a pick one pixel off or
# scaled wrongly. The window is driven over AT-SPI, the pointer and the
# keyboard through mutter's remote desktop.
#   pick_color_scale_1, pick_color_scale_2
#                   gnome-shell's own picker takes the colour
#   still_physical, still_logical
#                   scale 2, mutter's layout in device or in logical
#                   pixels. A relay in front of GNOME's back end fails
#                   every PickColor at once and passes screenshots on, so
#                   the pick is made on a still of the screen, which
#                   previews the colour under the pointer as it comes up;
#                   Esc there, a few times over, leaves the colour as it was
#   dialog_allow    no screenshot allowed yet: GNOME asks, the user clicks
#                   Allow, and the pick is made on the still
#   dialog_deny     the user clicks Deny: a note says the desktop refused,
#                   and the next pick asks the desktop's picker again
# Usage: gnome_pick_test.sh wayland|xcb CASE
set -u
platform=${1:-} case=${2:-}
[[ $platform == wayland || $platform == xcb ]] || { echo "unknown platform '$platform'" >&2; exit 64; }
TINTWELL=${TINTWELL:?path to the tintwell binary}
source "$(dirname "$0")/gnome_lib.sh"

asked() { # N MEMBER: the portal's call after the first N is MEMBER
    [[ $(grep -o 'member=\(PickColor\|Screenshot\)$' "$work/monitor.log" | sed -n "$(($1 + 1))p") == "member=$2" ]]
}

differs() { [[ $(look "$@") != "$before" ]]; } # X Y W H: the area no longer shows $before

pick_with_gnome() { # X Y: gnome-shell's picker takes the chart's colour there
    local colour before
    colour=$(chart_colour "$1" "$2")
    point_at "$1" "$2"
    before=$(look "$1" "$2" 16 16)
    start_pick
    # The picker shows its preview at the pointer once it holds the pointer.
    wait_for differs "$1" "$2" 16 16 || fail "gnome-shell's picker did not come up"
    remote click
    wait_for shows "$(bbggrr "$colour")" || fail "picking at $1,$2 shows $(hex), not $(bbggrr "$colour") ($colour)"
}

still_shown() { atspi windows | grep -qx 'Still of the screen'; }

pick_on_still() { # X Y: with the pointer already there, the pick is made on a still of the screen
    local colour
    colour=$(chart_colour "$1" "$2")
    wait_for still_shown || fail "no still came up (the portal: $(portal_exchange))"
    # A still that comes up under the pointer previews the colour there
    # before the pointer moves.
    wait_for shows "$(bbggrr "$colour")" ||
        fail "the still that came up under the pointer at $1,$2 previews $(hex), not $(bbggrr "$colour") ($colour)"
    remote click
    wait_for eval '! still_shown' || fail "the still stayed up after a click at $1,$2"
    shows "$(bbggrr "$colour")" || fail "picking on the still at $1,$2 shows $(hex), not $(bbggrr "$colour") ($colour)"
}

escape_on_still() { # X Y TRY: Esc on the still puts back the colour, pointer at X Y
    local before
    before=$(hex)
    start_pick
    wait_for still_shown || fail "no still came up (the portal: $(portal_exchange))"
    # Over another colour, which the window may be showing by now.
    point_at "$1" "$2"
    press_key $escape
    wait_for eval '! still_shown' || fail "Esc number $3 left the still up"
    shows "$before" || fail "Esc number $3 changed the colour from $before to $(hex)"
}

shell_button() { # NAME: clicks the button of that name in a dialog of gnome-shell's, at button_x button_y
    local centre
    wait_for $python "$pick_here/../wayland/atspi.py" "$shell" centre "$1" ||
        fail "gnome-shell shows no button '$1' (the portal: $(portal_exchange))"
    centre=$($python "$pick_here/../wayland/atspi.py" "$shell" centre "$1")
    # At scale 1 gnome-shell's places are device pixels.
    button_x=${centre% *} button_y=${centre#* }
    click "$button_x" "$button_y"
}

answered() { # N ANSWER: the portal's Nth answer was ANSWER
    [[ $(grep -A1 'member=Response$' "$work/monitor.log" | grep -o 'uint32 [0-9]*' | sed -n "${1}p") == "uint32 $2" ]]
}

note() { atspi tooltip; }
refusal_noted() { note | grep -Eiq 'refus|denied|did not (let|allow)|not allowed'; }

case $case in
pick_color_scale_1) scale=1 layout=physical tools=with ;;
pick_color_scale_2) scale=2 layout=physical tools=with ;;
still_physical) scale=2 layout=physical tools=without ;;
still_logical) scale=2 layout=logical tools=without ;;
dialog_allow | dialog_deny) scale=1 layout=physical tools=without ;;
*) echo "unknown case '$case'" >&2; exit 64 ;;
esac

gnome_require
gnome_start "$scale" "$layout"
portals_start "$tools"
[[ $case == dialog_* ]] || allow_screenshots
chart
tintwell_start "$platform"

# Device pixels, clear of tintwell's window in the top-left corner.
case $case in
pick_color_scale_1) pick_with_gnome 1101 903 ;;
pick_color_scale_2) pick_with_gnome 2201 1803 ;;
still_physical | still_logical)
    # At scale 2 a click at device pixel 2201,1803 is logical 1100.75,901.75.
    # X clients see whole logical pixels when mutter lays screens out in
    # them, so there the pick is the first device pixel of one.
    x=2201 y=1803
    [[ $platform == xcb && $layout == logical ]] && x=2200 y=1802
    point_at $x $y
    start_pick
    pick_on_still $x $y
    # XWayland has lost Esc on the still now and then: a few times over.
    for try in 1 2 3 4 5; do
        escape_on_still 2001 1703 $try
    done
    ;;
dialog_allow)
    start_pick
    wait_for answered 1 2 || fail "the desktop's picker did not fail at once: $(portal_exchange)"
    # GNOME asks the user before the first screenshot.
    shell_button Allow
    wait_for answered 2 0 || fail "no screenshot after Allow: $(portal_exchange)"
    # The still comes up under the pointer that clicked Allow.
    pick_on_still "$button_x" "$button_y"
    ;;
dialog_deny)
    before=$(hex)
    start_pick
    wait_for answered 1 2 || fail "the desktop's picker did not fail at once: $(portal_exchange)"
    shell_button Deny
    wait_for answered 2 2 || fail "the screenshot was not refused after Deny: $(portal_exchange)"
    wait_for refusal_noted || fail "no note says the desktop refused screenshots; the note: '$(note)'"
    echo "the note: $(note)"
    shows "$before" || fail "the refused pick changed the colour from $before to $(hex)"
    # The next pick goes to the desktop's picker again, not to a still.
    calls=$(portal_calls)
    start_pick
    asked "$calls" PickColor || fail "after Deny the next pick did not ask the desktop's picker: $(portal_exchange)"
    ;;
esac
kill -0 "$app" 2>/dev/null || fail "tintwell ended"
echo "the portal: $(portal_exchange)"
echo PASS
