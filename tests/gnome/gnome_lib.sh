# shellcheck shell=bash
# A private GNOME desktop for end-to-end tests, sourced by the test scripts:
# a headless gnome-shell with its XWayland, a session bus of its own and an
# empty system bus, PipeWire, the AT-SPI bus and the real portal stack
# (xdg-desktop-portal with its gnome and gtk back ends and gnome-shell's
# access dialog). The pointer and the keyboard are mutter's remote desktop,
# the eyes gnome-shell's screenshots, both held by gnome_remote.py.
# Everything started here is stopped again when the script exits.
# Needs TINTWELL and POSITION_CHART in the environment.

gnome_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

skip() { echo "SKIP: $*"; exit 77; }

gnome_require() { # skips unless every tool the desktop needs is here
    local tool
    for tool in gnome-shell Xwayland xdotool pipewire dbus-daemon dbus-send dbus-monitor gdbus; do
        command -v "$tool" >/dev/null || skip "no $tool"
    done
    local libexec
    for libexec in xdg-desktop-portal xdg-desktop-portal-gnome xdg-desktop-portal-gtk \
        xdg-permission-store at-spi-bus-launcher; do
        [[ -x /usr/libexec/$libexec ]] || skip "no /usr/libexec/$libexec"
    done
    [[ -n ${POSITION_CHART:-} && -x ${POSITION_CHART:-} ]] || skip "no position_chart helper"
    compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so" >/dev/null ||
        skip "no qt6-wayland"
    /usr/bin/python3 -c 'import dbus, pyatspi, gi; gi.require_version("GdkPixbuf", "2.0")' 2>/dev/null ||
        skip "no python3-dbus, python3-pyatspi or GdkPixbuf's introspection data"
}

work=$(mktemp -d)
source "$gnome_here/../support/services.sh"
source "$gnome_here/../support/pick_session.sh"
trap 'stop_services; rm -rf "$work"' EXIT
# A test timed out or interrupted still stops everything it started.
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

fail() {
    echo "FAIL: $*" >&2
    dump_logs
    if [[ -n ${remote:-} ]] && kill -0 "$remote" 2>/dev/null; then
        local shot=${TMPDIR:-/tmp}/gnome-failure-$$.png
        remote shot "$shot"
        wait_for -t 5 test -s "$shot" && echo "--- the screen at the failure: $shot" >&2
    fi
    exit 1
}

# --- the desktop --------------------------------------------------------

gnome_start() { # SCALE physical|logical: the buses, PipeWire, gnome-shell and its XWayland
    scale=$1 layout=$2
    unset DISPLAY WAYLAND_DISPLAY AT_SPI_BUS_ADDRESS XAUTHORITY
    export HOME=$work/home XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config
    # The permission store keeps its answers here: each run starts unasked.
    export XDG_DATA_HOME=$work/data XDG_CACHE_HOME=$work/cache
    export XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=GNOME
    # Settings in a file of the test's own: no dconf service on these buses.
    export GSETTINGS_BACKEND=keyfile
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    mkdir -p "$HOME" "$XDG_CONFIG_HOME/glib-2.0/settings" "$XDG_DATA_HOME"
    # Where XWayland makes its socket; an X server usually has, but not always.
    [[ -d /tmp/.X11-unix ]] || mkdir -m 1777 /tmp/.X11-unix
    {
        # Mutter lays screens out in device pixels unless told to scale the
        # framebuffer; Qt sees other screen geometries in each.
        echo "[org/gnome/mutter]"
        [[ $layout == logical ]] && echo "experimental-features=['scale-monitor-framebuffer']"
        # No screen blanking or lock halfway through a slow run.
        echo "[org/gnome/desktop/session]"
        echo "idle-delay=uint32 0"
        # gnome-shell's own dialogs on the accessibility bus, to find their
        # buttons by name.
        echo "[org/gnome/desktop/interface]"
        echo "toolkit-accessibility=true"
    } >"$XDG_CONFIG_HOME/glib-2.0/settings/keyfile"

    private_bus_start
    # gnome-shell will not run without a system bus; an empty one will do.
    private_bus_start system
    start accessibility /usr/libexec/at-spi-bus-launcher --launch-immediately
    # The remote desktop records the screen to move the pointer.
    start pipewire pipewire
    wait_for test -S "$XDG_RUNTIME_DIR/pipewire-0" || fail "PipeWire did not start"

    # Mutter offers scale 2 only on a monitor of some 2560 pixels across.
    # Now and then gnome-shell spins on SIGTERM instead of ending: timeout
    # passes the signal on to it and its XWayland, and kills them if need be.
    start gnome-shell timeout --kill-after=10 0 gnome-shell --headless --wayland \
        --wayland-display=tintwell-gnome --virtual-monitor "$((1280 * scale))x$((1024 * scale))"
    wait_for -t 60 owned org.gnome.Mutter.RemoteDesktop || fail "gnome-shell did not start"
    shell=$(pgrep -P "${services[-1]}" -x gnome-shell)
    wait_for -t 30 owned org.gnome.Shell.Screenshot || fail "gnome-shell offers no screenshots"
    # Written once the start-up animation has ended, in the overview.
    wait_for -t 30 grep -q "GNOME Shell started at" "$work/gnome-shell.log" || fail "gnome-shell never finished starting"
    export WAYLAND_DISPLAY=tintwell-gnome
    wait_for owned org.a11y.Bus || fail "the accessibility bus did not start"
    xwayland_started || wait_for xwayland_started || fail "gnome-shell started no XWayland"
    remote_start
    # It ends its start-up in the overview, over every window; Esc closes it,
    # and shows the remote keyboard works.
    wait_for overview true || fail "gnome-shell never showed the overview"
    press_key $escape
    wait_for overview false || fail "Esc did not close the overview"
    if ((scale != 1)); then
        set_scale "$scale"
        # The remote session ended with the monitor's change.
        remote_start
    fi
}

overview() { # true|false: gnome-shell shows the overview or not
    [[ $(gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell \
        --method org.freedesktop.DBus.Properties.Get org.gnome.Shell OverviewActive) == "(<$1>,)" ]]
}

display_state() { gdbus call --session --dest org.gnome.Mutter.DisplayConfig \
    --object-path /org/gnome/Mutter/DisplayConfig --method org.gnome.Mutter.DisplayConfig.GetCurrentState; }

set_scale() { # SCALE: the one monitor's scale
    local state serial connector mode
    state=$(display_state) || fail "mutter told nothing of its monitors"
    serial=$(sed -n 's/^(uint32 \([0-9]*\),.*/\1/p' <<<"$state")
    connector=$(grep -o "(('[^']*'" <<<"$state" | head -n 1 | tr -d "('")
    mode=$(grep -o "'[0-9]*x[0-9]*@[0-9.]*'" <<<"$state" | head -n 1 | tr -d "'")
    gdbus call --session --dest org.gnome.Mutter.DisplayConfig --object-path /org/gnome/Mutter/DisplayConfig \
        --method org.gnome.Mutter.DisplayConfig.ApplyMonitorsConfig "$serial" 1 \
        "[(0, 0, $1.0, uint32 0, true, [('$connector', '$mode', @a{sv} {})])]" '@a{sv} {}' >"$work/scale.log" 2>&1 ||
        fail "mutter would not take scale $1"
    wait_for eval "display_state | grep -q '(0, 0, $1.0,'" || fail "the monitor did not go to scale $1: $(display_state)"
}

xwayland_started() { # sets DISPLAY and XAUTHORITY from gnome-shell's XWayland
    local command
    command=$(ps -o args= --ppid "$shell" | grep '^/usr/bin/Xwayland ') || return 1
    DISPLAY=$(awk '{ print $2 }' <<<"$command")
    XAUTHORITY=$(sed -n 's/.* -auth \([^ ]*\).*/\1/p' <<<"$command")
    export DISPLAY XAUTHORITY
    xdotool getmouselocation >/dev/null 2>&1
}

# --- the portals --------------------------------------------------------

# The front end reads only these, so the KDE back end, also installed here,
# answers nothing in this session.
portal_files() { # with|without: gnome.portal's Screenshot, or the relay's
    mkdir -p "$work/portals"
    cp /usr/share/xdg-desktop-portal/portals/{gnome,gnome-shell,gtk}.portal "$work/portals"
    if [[ $1 == without ]]; then
        sed -i 's/org\.freedesktop\.impl\.portal\.Screenshot;//' "$work/portals/gnome.portal"
        printf '[portal]\nDBusName=%s\nInterfaces=%s\nUseIn=gnome\n' org.tintwell.ScreenshotRelay \
            'org.freedesktop.impl.portal.Screenshot;' >"$work/portals/tintwell-relay.portal"
    fi
}

portals_start() { # with|without: GNOME's own picker, or a relay whose PickColor fails at once
    start permission-store /usr/libexec/xdg-permission-store --replace
    wait_for owned org.freedesktop.impl.portal.PermissionStore || fail "the permission store did not start"
    start portal-gnome /usr/libexec/xdg-desktop-portal-gnome --replace
    wait_for owned org.freedesktop.impl.portal.desktop.gnome || fail "xdg-desktop-portal-gnome did not start"
    start portal-gtk /usr/libexec/xdg-desktop-portal-gtk --replace
    wait_for owned org.freedesktop.impl.portal.desktop.gtk || fail "xdg-desktop-portal-gtk did not start"
    portal_files "$1"
    if [[ $1 == without ]]; then
        start relay $python "$gnome_here/screenshot_relay.py"
        wait_for owned org.tintwell.ScreenshotRelay || fail "the screenshot relay did not start"
    fi
    portal_watch
    start portal env XDG_DESKTOP_PORTAL_DIR="$work/portals" /usr/libexec/xdg-desktop-portal --replace
    wait_for owned org.freedesktop.portal.Desktop || fail "xdg-desktop-portal did not start"
    wait_for eval 'screenshot_version | grep -q "uint32 2"' ||
        fail "the portal offers no Screenshot version 2: $(screenshot_version 2>&1)"
}

allow_screenshots() { # as a user's earlier Allow in GNOME's dialog would
    # Tintwell runs unsandboxed: the portal knows it by the empty app id.
    gdbus call --session --dest org.freedesktop.impl.portal.PermissionStore \
        --object-path /org/freedesktop/impl/portal/PermissionStore \
        --method org.freedesktop.impl.portal.PermissionStore.SetPermission \
        screenshot true screenshot '' "['yes']" >/dev/null || fail "the permission store took no answer"
}

# --- the pointer, the keyboard and the screen ---------------------------

remote() { # COMMAND...: see gnome_remote.py
    # With no one reading, the write would wait for ever.
    kill -0 "$remote" 2>/dev/null || fail "mutter's remote desktop ended"
    echo "$*" >"$work/remote"
}

remote_start() { # the remote session, a new one in place of any that ran
    if [[ -n ${remote:-} ]]; then
        kill "$remote"
        wait "$remote"
    fi
    [[ -p $work/remote ]] || mkfifo "$work/remote"
    start remote $python "$gnome_here/gnome_remote.py" "$work/remote"
    remote=${services[-1]}
    wait_for grep -qx ready "$work/remote.log" || fail "mutter's remote desktop did not start"
}

point_at() { # X Y: moves the pointer there, in device pixels
    # Off and back gives whatever surface just appeared there its pointer
    # enter; the middle of the pixel, so no rounding at any scale takes the
    # next one.
    remote move "$(($1 + 1)).5" "$2.5"
    remote move "$1.5" "$2.5"
}

click() { # X Y: moves the pointer there, then clicks the left button
    point_at "$1" "$2"
    remote click
}

press_key() { remote key "$1"; } # KEYSYM
escape=0xff1b

looks=0
look() { # X Y W H: prints the area's colours, a row a line, as RRGGBB
    local answer=$work/look.$((++looks))
    remote look "$@" "$answer"
    wait_for test -e "$answer" || return 1
    cat "$answer"
    rm -f "$answer"
}

pixel() { look "$1" "$2" 1 1; } # X Y: the colour on the screen there
paints() { [[ $(pixel "$1" "$2") == "${3,,}" ]]; } # X Y RRGGBB

chart() { # the position chart, full-screen, drawn in device pixels from 0,0
    start chart env QT_QPA_PLATFORM=wayland "$POSITION_CHART" --full-screen chart
    # Its far corner shows the monitor's last pixel.
    wait_for paints "$((1280 * scale - 1))" "$((1024 * scale - 1))" \
        "$(chart_colour $((1280 * scale - 1)) $((1024 * scale - 1)))" ||
        fail "the chart does not cover the screen: $(pixel $((1280 * scale - 1)) $((1024 * scale - 1)))"
}

chart_colour() { # X Y: what the full-screen chart shows at this device pixel, as RRGGBB
    printf '%02x%02x%02x\n' $(($1 & 255)) $(($2 & 255)) $((0x80 | ($1 >> 8 & 15) << 3 | ($2 >> 8 & 7)))
}

# --- tintwell -----------------------------------------------------------

tintwell_start() { # PLATFORM
    start tintwell env QT_QPA_PLATFORM="$1" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$TINTWELL"
    app=${services[-1]}
    wait_for hex || fail "the window did not appear on the accessibility bus"
}
