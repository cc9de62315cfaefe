#!/usr/bin/env bash
# Launchers and other programs reach the program over the session bus, as
# an installed copy is reached: a bus that knows only the installed entry
# (XDG_DATA_DIRS) starts it when it is not running, and the desktop entry's
# actions, run as launchers run them, pick and copy from anywhere.
# Usage: activation_test.sh CASE (BUILD_DIR names the build tree to install)
source "$(dirname "$0")/desktop_lib.sh"
[[ -n ${DISPLAY:-} ]] || { echo "SKIP: no X display"; exit 77; }
here=$(dirname "$0")
id=org.tintwell.Tintwell

cmake --install "${BUILD_DIR:?the build tree}" --prefix "$work/prefix" >/dev/null || fail "install failed"
TINTWELL=$work/prefix/bin/tintwell
export XDG_DATA_DIRS=$work/prefix/share XDG_DATA_HOME=$work/data
cat >"$work/bus.conf" <<CONF
<busconfig>
  <include>$(realpath "$here/../wayland/private-bus.conf")</include>
  <standard_session_servicedirs/>
  <!-- As a desktop's session bus allows, so a flood reaches the program. -->
  <limit name="max_replies_per_connection">50000</limit>
</busconfig>
CONF
dbus-daemon --config-file="$work/bus.conf" --nofork --print-address=3 3>"$work/bus" 2>"$work/bus.log" &
wait_for test -s "$work/bus" || fail "the session bus did not start"
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/bus")
export DBUS_SESSION_BUS_ADDRESS

# The desktop entry's action, run as a launcher runs its Exec line.
run_action() { # ACTION
    local line
    line=$(sed -n "/^\[Desktop Action $1\]/,/^\[/s/^Exec=//p" "$work/prefix/share/applications/$id.desktop")
    [[ -n $line ]] || fail "the desktop entry has no action $1"
    $line || fail "'$line' failed"
}

owner_pid() { # of whoever holds the name
    gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
        --method org.freedesktop.DBus.GetConnectionUnixProcessID "$id" 2>/dev/null | sed -n 's/^(uint32 \([0-9]*\),)$/\1/p'
}

active_window() { xprop -root _NET_ACTIVE_WINDOW | sed 's/.*# //'; }
is_active() { (($(active_window) == $1)); }

# Picks the chart's pixel at X Y with the action, and checks the clipboard.
pick_and_copy_at() { # X Y
    xdotool mousemove "$1" "$2"
    run_action pick-and-copy
    wait_for picking || fail "the action started no pick"
    xdotool click 1
    wait_for test "$(copied)" = "$(chart_colour "$1" "$2")" ||
        fail "copied '$(copied)', expected $(chart_colour "$1" "$2")"
}

start_chart 600 100 600 900
case $1 in
not_running)
    owned() { [[ -n $(owner_pid) ]]; }
    owned && fail "something already holds $id"
    xdotool mousemove 1011 467
    run_action pick-and-copy
    wait_for owned || fail "the bus did not start the program"
    app=$(owner_pid)
    # The bus's child, which the test's end would not stop.
    trap 'kill "$app" $(jobs -p) 2>/dev/null; wait_for test ! -e "/proc/$app"; rm -rf "$work"' EXIT
    # It opened its window as it always does, then picked.
    win=$(xdotool search --all --onlyvisible --pid "$app" --name '^Tintwell$' | head -1)
    [[ -n $win ]] || fail "the program started without its window"
    wait_for picking || fail "the action started no pick"
    xdotool click 1
    wait_for test "$(copied)" = "$(chart_colour 1011 467)" ||
        fail "copied '$(copied)', expected $(chart_colour 1011 467)"
    wmctrl -i -c "$win"
    wait_for test ! -e "/proc/$app" || fail "the program did not end when its window closed"
    ;;
running)
    start_app
    pick_and_copy_at 1011 467
    pick_and_copy_at 777 555
    close_app
    ;;
second_copy)
    # A copy started by hand while one holds the name runs on its own, and
    # Activate brings the first forward from behind it.
    start_app
    first=$win first_app=$app
    start_app
    [[ $(owner_pid) == "$first_app" ]] || fail "the second copy took the name"
    wait_for is_active "$win" || fail "the second copy's window is not active"
    gdbus call --session --dest "$id" --object-path /org/tintwell/Tintwell \
        --method org.freedesktop.Application.Activate '{}' >/dev/null || fail "Activate failed"
    wait_for is_active "$first" || fail "Activate did not bring the window forward"
    close_app
    win=$first app=$first_app
    close_app
    ;;
strangers)
    # Calls of every wrong shape, then a thousand picks at once: one pick
    # runs, and ending it keeps the colour taken before.
    start_app
    pick_and_copy_at 1011 467
    /usr/bin/python3 "$here/app_calls.py" "$id" || fail "the calls were not answered as they should be"
    wait_for picking || fail "no pick runs"
    (($(xdotool search --all --onlyvisible --pid "$app" --name '^Magnifier$' | wc -l) == 1)) ||
        fail "more than one magnifier"
    xdotool mousemove 777 555 key Escape
    expect_copied "$(chart_colour 1011 467)"
    close_app
    ;;
*)
    fail "unknown case $1"
    ;;
esac
echo "PASS: $1"
