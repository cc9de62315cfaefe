#!/usr/bin/env bash
# Picks from the screen on a real KDE Plasma desktop: tintwell on a headless
# KWin, natively or on KWin's XWayland, through the real xdg-desktop-portal
# and its KDE back end. Windows of known colours stand side by side and a
# pick lands a few pixels from the edge between them, so a pick that is off
# or scaled wrongly reads the wrong colour. The window is driven over
# AT-SPI, the pointer and keyboard through KWin's fake input.
#   pick_color  scale 1: KWin's own picker answers
#   scale_2     the same on a scale-2 output
#   no_opengl   KWin composites with QPainter and has no picker: the portal
#               fails the pick at once, which is no cancel of the user's, so
#               the window asks for a still next; that fails too, and a note
#               says so with the colour as it was
#   shortcut    the shortcut the portal binds opens no System Settings as
#               tintwell starts, nor as it starts again; pressed while
#               another window has the keyboard, it picks on KWin's picker
#               and copies the colour to the clipboard
# Usage: kde_pick_test.sh wayland|xcb CASE
set -u
platform=${1:-} case=${2:-}
[[ $platform == wayland || $platform == xcb ]] || { echo "unknown platform '$platform'" >&2; exit 64; }
TINTWELL=${TINTWELL:?path to the tintwell binary}
source "$(dirname "$0")/kde_lib.sh"

# No two are each other's bytes reversed, so a pick of the wrong window that
# also wrote its channels in the wrong order still cannot pass.
blue=2a5fd1 orange=e0782c

scale=1 compose=opengl
case $case in
pick_color | shortcut) ;;
scale_2) scale=2 ;;
no_opengl) compose=qpainter ;;
*) echo "unknown case '$case'" >&2; exit 64 ;;
esac

kde_require

components() { # kglobalaccel's components, one a line
    dbus-send --session --print-reply --dest=org.kde.kglobalaccel /kglobalaccel \
        org.kde.KGlobalAccel.allComponents | sed -n 's/.*object path "\(.*\)"/\1/p'
}

# Layout coordinates: a scale-2 output of 1280x1024 pixels is 640x512.
# Tintwell's own window goes to the top-left corner, clear of every pick.
width=$((1280 / scale / 2)) height=$((1024 / scale))
kde_start "$scale" "$compose" <<RULES
left 0 0 $width $height
right $width 0 $width $height
org.tintwell.Tintwell 0 0 - - Tintwell
tintwell 0 0 - - Tintwell
RULES
portals_start
solid left "$blue" 0 0 "$width" "$height"
solid right "$orange" "$width" 0 "$width" "$height"
components_before=$(components | wc -l)
tintwell_start "$platform"

pick_answer() { # the portal's answer to the last PickColor; empty until there is one
    awk '/member=PickColor$/ { pick = 1; token = code = ""; next }
         /member=/ { pick = 0 }
         pick && /string "handle_token"/ { named = 1; next }
         named && /variant/ { token = $3; gsub(/"/, "", token); named = 0 }
         token != "" && /member=Response$/ && index($0, "/" token ";") { answer = 1; next }
         answer && /uint32/ { code = $2; answer = 0 }
         END { print code }' "$work/monitor.log"
}
pick_answered() { [[ -n $(pick_answer) ]]; }

start_pick() { # presses the swatch until the window asks the portal
    local picks
    picks=$(asked PickColor)
    for _ in 1 2 3; do
        press_swatch || fail "the swatch could not be pressed"
        wait_for -t 10 eval '(($(asked PickColor) > picks))' && return 0
    done
    fail "pressing the swatch asked the portal nothing"
}

kwin_picker_up() { # KWin's picker waits for the click
    wait_for eval '(($(asked pick) >= $(asked PickColor)))' || fail "the portal did not start KWin's picker"
    # KWin takes its D-Bus calls in order: once it has answered this one it
    # has started the picker the portal asked for.
    kwin_call /KWin org.kde.KWin.currentDesktop || fail "KWin does not answer"
}

click_on_kwin_picker() { # X Y RRGGBB: takes the colour there on KWin's picker
    kwin_picker_up
    click "$1" "$2"
    wait_for pick_answered || fail "the portal never answered the pick"
    [[ $(pick_answer) == 0 ]] || fail "the portal answered the pick at $1,$2 with $(pick_answer)"
    wait_for shows "$(bbggrr "$3")" || fail "picking at $1,$2 shows $(hex), not $(bbggrr "$3") ($3)"
}

# --- the shortcut -------------------------------------------------------

shortcut_ready() { # the portal said the shortcut is bound, after the last session began
    awk '/member=/ { answer = 0 }
         /member=CreateSession$/ { listed = 0 }
         /member=(ListShortcuts|BindShortcuts)$/ { asked = 1; next }
         asked && /member=Response$/ { answer = 1; asked = 0; next }
         answer && /uint32/ && $2 != 0 { answer = 0 }
         answer && /string "pick-and-copy"/ { listed = 1 }
         END { exit !listed }' "$work/monitor.log"
}

# The portal opened System Settings, on its page of shortcuts.
settings_opened() { grep -qs '^systemsettings:' "$work/opened.log"; }

no_settings_at_start() { # RUN: tintwell bound its shortcut and System Settings stayed away
    wait_for shortcut_ready || fail "$1: the portal never listed the shortcut as bound"
    # Nothing says System Settings will never come: look for a while, as a
    # user would notice it.
    ! wait_for -t 3 settings_opened ||
        fail "$1: the portal opened $(cat "$work/opened.log" 2>/dev/null)" \
            "(BindShortcuts asked $(asked BindShortcuts) time(s))"
}

# The Wayland clipboard; wl-paste waits for one that is empty.
copied() { timeout 5 wl-paste -n 2>/dev/null; }
x_copied() { # the X clipboard, as it may differ
    command -v xclip >/dev/null && timeout 5 xclip -o -selection clipboard 2>/dev/null
}

shortcut_pick() { # X Y RRGGBB: the shortcut, with another window focused, picks and copies
    click 900 700
    wait_for is_active right || fail "clicking the window on the right did not focus it"
    local picks want=#${3^^} deadline
    picks=$(asked PickColor)
    press_pick_shortcut
    wait_for eval '(($(asked PickColor) > picks))' || fail "Ctrl+Alt+P started no pick"
    click_on_kwin_picker "$@"
    deadline=$((SECONDS + 30))
    until [[ $(copied) == "$want" ]]; do
        ((SECONDS < deadline)) || fail "the clipboard holds '$(copied)', not $want" \
            "(the X clipboard: '$(x_copied)'; the focus: $(active_window))"
        sleep 0.1
    done
}

case $case in
pick_color)
    # Two pixels left of the blue/orange edge.
    start_pick
    click_on_kwin_picker 638 700 "$blue"
    ;;
scale_2)
    # Two pixels right of the edge, four of the output's.
    start_pick
    click_on_kwin_picker 322 400 "$orange"
    ;;
no_opengl)
    before=$(hex) shots=$(asked Screenshot)
    start_pick
    wait_for pick_answered || fail "the portal never answered the pick"
    [[ $(pick_answer) == 1 ]] || fail "KWin without OpenGL picked, answering $(pick_answer)"
    wait_for eval '(($(asked Screenshot) > shots))' ||
        fail "the portal's failure at once was taken as a cancel: no still was asked for"
    note=$(atspi tooltip 20)
    [[ -n $note ]] || fail "no note said the pick failed"
    echo "the note: $note"
    shows "$before" || fail "the failed pick changed the colour from $before to $(hex)"
    ;;
shortcut)
    no_settings_at_start "the first start"
    tintwell_stop
    tintwell_start "$platform"
    no_settings_at_start "the second start"
    # The same every run, or kglobalaccel would gather one for each.
    (($(components | wc -l) == components_before + 1)) ||
        fail "two runs made $(($(components | wc -l) - components_before)) kglobalaccel components, not one: $(components)"
    # With the window on the right focused, two pixels left of its edge.
    shortcut_pick 638 700 "$blue"
    ;;
esac
kill -0 "$app" 2>/dev/null || fail "tintwell ended"
echo PASS
