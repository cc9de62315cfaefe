#!/usr/bin/env bash
# Picks from the screen on a real wlroots desktop: tintwell on a headless
# sway, natively or on sway's XWayland, through the real xdg-desktop-portal
# and its wlr back end. Windows of known colours stand side by side, and a
# pick lands a few physical pixels from an edge between two of them, so a
# pick that is off, scaled wrongly or on the wrong output reads the wrong
# colour; on the still a chart whose every pixel names its own position
# catches a pick one pixel off. The window is driven over AT-SPI, the
# pointer through sway's seat.
#   pick_color         scale 1, the back end's own picker (slurp) answers
#   fast_fallback      no slurp: the back end's picker fails at once, and the
#                      pick is made on a still of the screen, also where the
#                      pointer goes off and straight back to the last pick's
#                      pixel; Esc there leaves the colour as it was
#   scale_2            scale 2: the back end's picker fails after the click,
#                      and the picks after it are made on the still
#   two_outputs_mixed  a scale-1 and a scale-2 output side by side, no
#                      slurp: a pick on each, on the still
# Usage: sway_pick_test.sh wayland|xcb CASE
set -u
platform=${1:-} case=${2:-}
[[ $platform == wayland || $platform == xcb ]] || { echo "unknown platform '$platform'" >&2; exit 64; }
TINTWELL=${TINTWELL:?path to the tintwell binary}
source "$(dirname "$0")/sway_lib.sh"

# No two are each other's bytes reversed, so a pick of the wrong window that
# also wrote its channels in the wrong order still cannot pass.
blue=2a5fd1 orange=e0782c green=3fbf5a magenta=c23fa0

answered() { (($(portal_answers) > $1)); }
still_shown() { # N: tintwell shows a still on each of N outputs
    if [[ $platform == xcb ]]; then
        # On XWayland each still is an unmanaged window over its output.
        (($(xdotool search --all --onlyvisible --pid "$app" --name '^Still of the screen$' 2>/dev/null |
            wc -l) == $1))
    else
        (($(windows | awk -v pid="$app" '$2 == pid && $7 != 0 { print $8 }' | sort -u | wc -l) == $1))
    fi
}

on_screen() { # X Y RRGGBB: what the pick at X Y should read is really there
    wait_for paints "$1" "$2" "$3" || fail "the screen shows $(pixel "$1" "$2") at $1,$2, not $3"
}

covered() { ! paints "$@"; } # X Y RRGGBB: something is over the colour there

portal_picker_up() { # X Y RRGGBB: the back end's picker shows over the screen
    wait_for slurp_running || fail "the back end's picker did not start"
    # slurp dims the screen once it is ready for the click.
    wait_for covered "$@" || fail "the back end's picker never covered the screen"
}

pick_with_portal() { # X Y RRGGBB: the back end's picker takes the colour
    on_screen "$@"
    start_pick
    portal_picker_up "$@"
    click "$1" "$2"
    wait_for shows "$(bbggrr "$3")" || fail "picking at $1,$2 shows $(hex), not $(bbggrr "$3") ($3)"
}

x_pointer_at() { # X Y: XWayland has seen the pointer there, or it is moved there again
    [[ $(xdotool getmouselocation) == "x:$1 y:$2 "* ]] && return 0
    point_at "$1" "$2"
    return 1
}

onto_still() { # X Y: moves the pointer onto the still that is up
    point_at "$1" "$2"
    [[ $platform == xcb ]] || return 0
    # sway shows a window that bypasses the window manager a moment after
    # XWayland maps it, and gives it no pointer enter then: a pointer that
    # moved in between stays with the window below until it moves again, as
    # a hand on a mouse soon would.
    wait_for x_pointer_at "$1" "$2" || fail "XWayland never saw the pointer at $1,$2"
}

click_on_still() { # X Y RRGGBB: takes the colour from the still that is up
    # The window previews the colour under the pointer, which also says the
    # still under it is on the screen and takes the click.
    onto_still "$1" "$2"
    wait_for shows "$(bbggrr "$3")" || fail "the still at $1,$2 previews $(hex), not $(bbggrr "$3") ($3)"
    press_button
    wait_for still_shown 0 || fail "the still stayed up after a click at $1,$2"
    shows "$(bbggrr "$3")" ||
        fail "picking on the still at $1,$2 shows $(hex), not $(bbggrr "$3") ($3)"
}

pick_on_still() { # OUTPUTS X Y RRGGBB: the pick is made on a still of the screen
    on_screen "$2" "$3" "$4"
    start_pick
    wait_for -t 60 still_shown "$1" || fail "no still came up full-screen on each of $1 output(s)"
    click_on_still "$2" "$3" "$4"
}

pick_failing_at_scale_2() { # X Y RRGGBB
    # The back end's picker cannot read a scale-2 output: after the click it
    # answers with no colour, the colour stays as it was and the window
    # picks on a still from then on.
    local before answers started
    before=$(hex) answers=$(portal_answers)
    on_screen "$@"
    start_pick
    started=${EPOCHREALTIME//[.,]/}
    portal_picker_up "$@"
    # An answer sooner than a user could click (300 ms) tells the window the
    # picker never showed, and it goes to the still at once instead. A
    # user's click comes later than that.
    local left=$((600000 - (${EPOCHREALTIME//[.,]/} - started)))
    ((left <= 0)) || sleep "$(printf '0.%06d' "$left")"
    click "$1" "$2"
    wait_for answered "$answers" || fail "the portal never answered the pick"
    wait_for eval '! slurp_running' || fail "the back end's picker stayed up"
    shows "$before" || shows "$(bbggrr "$3")" ||
        fail "the pick at $1,$2 that the portal could not answer shows $(hex), not $before"
}

back_on_still() { # X Y: the last pick ended at X Y; this one goes 3,2 off and straight back
    local x=$1 y=$2
    start_pick
    wait_for -t 60 still_shown 1 || fail "no still came up full-screen"
    onto_still $((x + 3)) $((y + 2))
    wait_for shows "$(bbggrr "$(chart_colour $((x + 3)) $((y + 2)) 1)")" ||
        fail "the still at $((x + 3)),$((y + 2)) previews $(hex)"
    swaymsg -q seat seat0 cursor set "$x.25" "$y.25"
    wait_for shows "$(bbggrr "$(chart_colour "$x" "$y" 1)")" ||
        fail "back at $x,$y the still previews $(hex), not $(bbggrr "$(chart_colour "$x" "$y" 1)")"
    press_button
    wait_for still_shown 0 || fail "the still stayed up after a click at $x,$y"
    shows "$(bbggrr "$(chart_colour "$x" "$y" 1)")" || fail "the click back at $x,$y took $(hex)"
}

escape_on_still() { # OUTPUTS X Y: Esc on the still puts back the colour, pointer at X Y
    local before
    before=$(hex)
    start_pick
    wait_for -t 60 still_shown "$1" || fail "no still came up full-screen on each of $1 output(s)"
    # Over another colour, which the window may be showing by now.
    swaymsg -q seat seat0 cursor set "$2" "$3"
    wtype -k Escape || fail "wtype could not type Escape"
    wait_for still_shown 0 || fail "Esc left the still up (sway's focus: $(focused_window))"
    shows "$before" || fail "Esc changed the colour from $before to $(hex)"
}

case $case in
pick_color | scale_2) tools=with ;;
fast_fallback | two_outputs_mixed) tools=without ;;
*) echo "unknown case '$case'" >&2; exit 64 ;;
esac

sway_require
sway_start
case $case in
scale_2) swaymsg -q output HEADLESS-1 scale 2 ;;
two_outputs_mixed)
    swaymsg -q create_output || fail "sway made no second output"
    swaymsg -q output HEADLESS-2 mode 1280x1024 position 1280 0 scale 2 ||
        fail "sway could not set up HEADLESS-2"
    ;;
esac
portals_start "$tools"

# Layout coordinates: a scale-2 output of 1280x1024 pixels is 640x512.
case $case in
pick_color)
    solid left "$blue" 0 0 640 1024
    solid right "$orange" 640 0 640 1024
    ;;
fast_fallback)
    solid left "$blue" 0 0 640 1024
    solid right "$orange" 640 0 640 512
    chart 640 512 640 512
    ;;
scale_2)
    solid left "$blue" 0 0 320 256
    solid right "$orange" 320 0 320 256
    chart 320 256 320 256
    ;;
two_outputs_mixed)
    solid left "$blue" 0 0 640 1024
    solid right "$orange" 640 0 640 1024
    solid far-left "$green" 1280 0 320 256
    solid far-right "$magenta" 1600 0 320 256
    chart 1280 256 640 256
    ;;
esac
# Tintwell's own window goes to the top-left corner, clear of every pick.
tintwell_start "$platform"

case $case in
pick_color)
    # Two pixels left of the blue/orange edge.
    pick_with_portal 638 700 "$blue"
    ;;
fast_fallback)
    # Two pixels right of the blue/orange edge, then one pixel of the chart.
    pick_on_still 1 642 300 "$orange"
    pick_on_still 1 901 777 "$(chart_colour 901 777 1)"
    back_on_still 901 777
    escape_on_still 1 637 700
    ;;
scale_2)
    pick_failing_at_scale_2 322 200 "$orange"
    # Two physical pixels left of the edge, which is at 640 of 1280.
    pick_on_still 1 319 200 "$blue"
    pick_on_still 1 477 389 "$(chart_colour 477 389 2)"
    ;;
two_outputs_mixed)
    # Three pixels short of the edge between the outputs, two physical
    # pixels right of the green/magenta edge on the scale-2 output, and one
    # pixel of the chart there.
    pick_on_still 2 1277 400 "$orange"
    pick_on_still 2 1601 200 "$magenta"
    pick_on_still 2 1411 389 "$(chart_colour 1411 389 2)"
    ;;
esac
kill -0 "$app" 2>/dev/null || fail "tintwell ended"
echo PASS
