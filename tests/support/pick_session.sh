# shellcheck shell=bash
# What the desktop tests ask of a running tintwell, over AT-SPI, and of the
# portal, through dbus-monitor. Sourced after services.sh by the sway, GNOME
# and Plasma tests, which set $app to tintwell's process.

pick_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# Debian's own, which has the D-Bus and AT-SPI modules.
python=/usr/bin/python3

atspi() { $python "$pick_here/../wayland/atspi.py" "$app" "$@"; }
hex() { atspi text "Colour hexadecimal"; }
shows() { [[ $(hex) == "$1" ]]; }
press_swatch() { atspi press "Colour swatch"; }

bbggrr() { # RRGGBB: the same colour as the window's "Colour hexadecimal" writes it
    local c=${1^^}
    echo "${c:4:2}${c:2:2}${c:0:2}"
}

screenshot_version() {
    dbus-send --session --print-reply --dest=org.freedesktop.portal.Desktop \
        /org/freedesktop/portal/desktop org.freedesktop.DBus.Properties.Get \
        string:org.freedesktop.portal.Screenshot string:version
}

portal_watch() { # records the portal's calls and answers in monitor.log
    start monitor dbus-monitor --session \
        "type='method_call',interface='org.freedesktop.portal.Screenshot'" \
        "type='signal',interface='org.freedesktop.portal.Request',member='Response'"
    wait_for grep -q NameLost "$work/monitor.log" || fail "dbus-monitor did not start"
}

portal_exchange() { # the portal's calls and answers so far, in one line
    awk '/member=(PickColor|Screenshot)$/ { sub(/.*member=/, ""); printf "%s ", $0 }
         /member=Response$/ { answer = 1; next }
         answer && /uint32/ { printf "-> %s  ", $2; answer = 0 }' "$work/monitor.log"
    echo
}

portal_calls() { grep -c 'interface=org.freedesktop.portal.Screenshot' "$work/monitor.log"; }
portal_answers() { grep -c 'member=Response' "$work/monitor.log"; }
pick_started() { (($(portal_calls) > $1)); }

start_pick() { # presses the swatch until the window asks the portal
    local calls
    calls=$(portal_calls)
    # A second press stops a pick still waiting for the desktop, so one
    # that is merely slow is not pressed again too soon.
    for _ in 1 2 3; do
        press_swatch || fail "the swatch could not be pressed"
        wait_for -t 10 pick_started "$calls" && return 0
    done
    fail "pressing the swatch asked the portal nothing"
}

dump_logs() { # every service's last lines and the portal's exchange, for a failure
    local log
    for log in "$work"/*.log; do
        echo "--- ${log##*/}" >&2
        tail -n 20 "$log" >&2
    done
    [[ -s $work/monitor.log ]] && echo "--- the portal: $(portal_exchange)" >&2
}
