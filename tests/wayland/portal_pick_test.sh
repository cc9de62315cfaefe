#!/usr/bin/env bash
# Picks from the screen through the real xdg-desktop-portal front end, with a
# stand-in for the desktop's picker behind it, from tintwell on a headless
# weston: natively on Wayland or on XWayland. A colour shows in the window; a
# cancel, a malformed answer, no portal at all, a portal without screenshots
# or a screenshot that is not an image leave the colour as it was and the
# window ready to pick again. A picked colour is named to a screen reader.
# The shortcut the desktop binds for tintwell picks without the window being
# touched, and copies the colour. Starts every service it uses and stops them
# all again.
# Usage: portal_pick_test.sh wayland|xcb REPLY
#   REPLY: colour, cancel, malformed, no_portal, no_screenshot, bad_still or
#   shortcut
set -u
here=$(cd "$(dirname "$0")" && pwd)
TINTWELL=${TINTWELL:?path to the tintwell binary}
platform=$1 reply=$2
# Debian's own, which has the D-Bus and AT-SPI modules.
python=/usr/bin/python3

skip() { echo "SKIP: $*"; exit 77; }
command -v weston >/dev/null || skip "no weston"
command -v Xwayland >/dev/null || skip "no Xwayland"
[[ -x /usr/libexec/xdg-desktop-portal && -x /usr/libexec/at-spi-bus-launcher ]] ||
    skip "no xdg-desktop-portal or at-spi2-core"
$python -c 'import dbus, pyatspi' 2>/dev/null || skip "no python3-dbus or python3-pyatspi"

work=$(mktemp -d)
source "$here/../support/services.sh"
trap 'stop_services; rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    for log in "$work"/*.log; do echo "--- ${log##*/}" >&2; tail -n 15 "$log" >&2; done
    exit 1
}

portals=$here/portals
start_portal() { # REPLY...: the front end, with the stand-in answering each pick in turn
    start stand-in $python "$here/stand_in_portal.py" "$@"
    wait_for owned org.tintwell.StandInPortal || fail "the stand-in did not start"
    start portal env XDG_CURRENT_DESKTOP=tintwell-test XDG_DESKTOP_PORTAL_DIR="$portals" \
        /usr/libexec/xdg-desktop-portal --replace
    wait_for owned org.freedesktop.portal.Desktop || fail "xdg-desktop-portal did not start"
}

unset DISPLAY WAYLAND_DISPLAY AT_SPI_BUS_ADDRESS
export XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config XDG_SESSION_TYPE=wayland
mkdir -m 700 "$XDG_RUNTIME_DIR"
# Where XWayland makes its socket; an X server usually has, but not always.
[[ -d /tmp/.X11-unix ]] || mkdir -m 1777 /tmp/.X11-unix

compositor=(weston --backend=headless-backend.so)
if [[ $reply == shortcut ]]; then
    # Headless weston has no seat, so no clipboard, and its XWayland falls
    # over when an X client takes the clipboard; on an X server of its own it
    # has that server's keyboard and pointer.
    command -v Xvfb >/dev/null || skip "no Xvfb"
    Xvfb -displayfd 3 -nolisten tcp 3>"$work/xvfb-display" 2>"$work/xvfb.log" &
    services+=($!)
    wait_for test -s "$work/xvfb-display" || fail "Xvfb did not start"
    compositor=(env DISPLAY=":$(cat "$work/xvfb-display")" weston --backend=x11-backend.so --use-pixman)
fi
start weston "${compositor[@]}" --xwayland --socket=tintwell-test --idle-time=0
wait_for test -S "$XDG_RUNTIME_DIR/tintwell-test" || fail "weston did not start"
wait_for grep -q "xserver listening on display" "$work/weston.log" || fail "XWayland did not start"
export WAYLAND_DISPLAY=tintwell-test
DISPLAY=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$work/weston.log")
export DISPLAY

# On a bus of its own no real portal can stand in for ours.
private_bus_start

start accessibility /usr/libexec/at-spi-bus-launcher --launch-immediately
wait_for owned org.a11y.Bus || fail "the accessibility bus did not start"
start monitor dbus-monitor --session \
    "type='method_call',interface='org.freedesktop.portal.Screenshot',member='PickColor'"
wait_for grep -q NameLost "$work/monitor.log" || fail "dbus-monitor did not start"
asked() { (($(grep -c 'member=PickColor' "$work/monitor.log") >= $1)); } # N: picks asked for

case $reply in
colour | cancel) start_portal "$reply" ;;
shortcut) start_portal colour ;;
malformed) start_portal malformed cancel ;;
no_portal) ;;
no_screenshot)
    # A desktop whose back end serves no screenshots, so the front end offers none.
    portals=$work/portals
    mkdir "$portals"
    sed '/^Interfaces=/s/org.freedesktop.impl.portal.Screenshot;//' "$here/portals/tintwell-stand-in.portal" \
        >"$portals/tintwell-stand-in.portal"
    start_portal cancel
    ;;
bad_still)
    # The back end cannot pick, and its still of the screen is no image.
    still=$work/still.png
    echo "not a picture" >"$still"
    STAND_IN_STILL=file://$still start_portal fail
    ;;
*) echo "unknown reply '$reply'" >&2; exit 64 ;;
esac

start tintwell env QT_QPA_PLATFORM="$platform" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$TINTWELL"
app=${services[-1]}
hex() { $python "$here/atspi.py" "$app" text "Colour hexadecimal"; }
shows() { [[ $(hex) == "$1" ]]; }
press_swatch() { $python "$here/atspi.py" "$app" press "Colour swatch"; }
wait_for hex || fail "the window did not appear on the accessibility bus"
before=$(hex)

if [[ $reply == shortcut ]]; then
    press_shortcut() { # ID TIMES: as the desktop does when its keys are pressed
        dbus-send --session --print-reply --dest=org.tintwell.StandInPortal /org/freedesktop/portal/desktop \
            org.tintwell.StandInPortal.Activate "string:$1" "uint32:$2"
    }
    copied() { xclip -o -selection clipboard 2>/dev/null; }
    holds_the_colour() { [[ $(copied) == "#FF8000" ]]; }
    # Asked for once the window is up, without the user doing anything.
    wait_for grep -q "^bound .* pick-and-copy=CTRL+ALT+p$" "$work/stand-in.log" ||
        fail "tintwell bound no shortcut"
    press_shortcut another-program 1 >/dev/null || fail "the stand-in could not press a shortcut"
    sleep 0.5
    asked 1 && fail "a shortcut that is not tintwell's started a pick"
    # The second comes while the first pick still waits for the desktop.
    press_shortcut pick-and-copy 2 >/dev/null || fail "the stand-in could not press a shortcut"
    wait_for shows 0080FF || fail "the window shows $(hex), not the picked 0080FF"
    wait_for holds_the_colour || fail "the clipboard holds '$(copied)', not #FF8000"
    sleep 0.5
    asked 2 && fail "a second pick started while the first ran"
    echo PASS
    exit 0
fi

press_swatch || fail "the swatch could not be pressed"
if [[ $reply == colour ]]; then
    wait_for shows 0080FF || fail "the window shows $(hex), not the picked 0080FF"
    # What a screen reader announces for the swatch: the colour's name, then
    # its contrast for text.
    named=$($python "$here/atspi.py" "$app" description "Colour swatch")
    [[ ${named%%$'\n'*} == "≈ darkorange" && $named == *" : 1 on white ("*"), "*" : 1 on black ("* ]] ||
        fail "the swatch describes itself as '$named', not ≈ darkorange with its contrast"
    echo PASS
    exit 0
fi

wait_for asked 1 || fail "pressing the swatch asked no portal"
[[ $reply == no_portal ]] && start_portal cancel
if [[ $reply == bad_still ]]; then
    # Read once and removed, so no screenshot is left behind.
    wait_for test ! -e "$still" || fail "the still was left at $still"
fi
# A second pick starts only once the first has ended, and by then the first
# has shown whatever it was going to show.
second_pick() { press_swatch && sleep 0.2 && asked 2; }
wait_for second_pick || fail "the window never became ready to pick again"
shows "$before" || fail "the colour changed from $before to $(hex)"
kill -0 "$app" 2>/dev/null || fail "tintwell ended"
echo PASS
