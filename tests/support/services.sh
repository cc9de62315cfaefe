# shellcheck shell=bash
# The services a desktop test starts for itself (compositor, buses, portals):
# each runs in the background until the test ends, its output in
# $work/NAME.log. Sourced by the Wayland and sway tests, which make $work,
# define fail and call stop_services as they exit.

: "${work:?the test makes its work folder before sourcing this}"
services=()

stop_services() { # the last started first, so none loses what it runs on
    local i
    for ((i = ${#services[@]} - 1; i >= 0; i--)); do
        kill "${services[i]}" 2>/dev/null
        wait "${services[i]}" 2>/dev/null
    done
}

# Thirty seconds by default: a busy machine may take that long, and a test
# that passes waits no longer than it has to.
wait_for() { # [-t SECONDS] COMMAND...: polls until it succeeds
    local tenths=300
    if [[ $1 == -t ]]; then
        tenths=$(($2 * 10))
        shift 2
    fi
    for _ in $(seq "$tenths"); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

start() { # NAME COMMAND...: runs a service until the test ends, its output in NAME.log
    local name=$1
    shift
    "$@" >"$work/$name.log" 2>&1 &
    services+=($!)
}

owned() { # BUS_NAME: someone on the session bus holds it
    dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
        org.freedesktop.DBus.NameHasOwner "string:$1" | grep -q true
}

services_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# A session bus that starts nothing by itself, so only what the test started
# answers on it. Given "system", an empty system bus instead, for the
# desktops that will not start without one.
private_bus_start() { # [system]
    local bus=${1:-session}
    dbus-daemon --config-file="$services_here/../wayland/private-bus.conf" --nofork \
        --print-address=3 3>"$work/$bus-bus-address" 2>"$work/$bus-bus.log" &
    services+=($!)
    wait_for test -s "$work/$bus-bus-address" || fail "the $bus bus did not start"
    if [[ $bus == system ]]; then
        DBUS_SYSTEM_BUS_ADDRESS=$(head -n 1 "$work/$bus-bus-address")
        export DBUS_SYSTEM_BUS_ADDRESS
    else
        DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/$bus-bus-address")
        export DBUS_SESSION_BUS_ADDRESS
    fi
}
