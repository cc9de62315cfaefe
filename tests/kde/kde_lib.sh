# shellcheck shell=bash
# A private KDE Plasma desktop for end-to-end tests, sourced by the test
# scripts: a headless kwin_wayland (kglobalaccel runs inside it) with its
# XWayland, a session bus and an empty system bus of its own, the AT-SPI
# bus and the real portal stack (xdg-desktop-portal with its KDE back end).
# Everything started here is stopped again when the script exits.
# Needs TINTWELL, FAKE_INPUT and POSITION_CHART in the environment.

kde_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

skip() { echo "SKIP: $*"; exit 77; }

kde_portal_backend() { compgen -G "/usr/lib/*/libexec/xdg-desktop-portal-kde" | head -n 1; }

kde_require() { # skips unless every tool the desktop needs is here
    local tool
    for tool in kwin_wayland Xwayland wl-paste dbus-daemon dbus-send dbus-monitor; do
        command -v "$tool" >/dev/null || skip "no $tool"
    done
    local libexec
    for libexec in xdg-desktop-portal at-spi-bus-launcher; do
        [[ -x /usr/libexec/$libexec ]] || skip "no /usr/libexec/$libexec"
    done
    [[ -n $(kde_portal_backend) ]] || skip "no xdg-desktop-portal-kde"
    [[ -n ${FAKE_INPUT:-} && -x ${FAKE_INPUT:-} ]] ||
        skip "no fake_input helper (wayland-scanner, libwayland-client or plasma-wayland-protocols missing at build time)"
    [[ -n ${POSITION_CHART:-} && -x ${POSITION_CHART:-} ]] || skip "no position_chart helper"
    compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so" >/dev/null ||
        skip "no qt6-wayland"
    /usr/bin/python3 -c 'import dbus, pyatspi' 2>/dev/null || skip "no python3-dbus or python3-pyatspi"
}

work=$(mktemp -d)
source "$kde_here/../support/services.sh"
source "$kde_here/../support/pick_session.sh"
trap 'stop_services; rm -rf "$work"' EXIT
# A test timed out or interrupted still stops everything it started.
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

fail() {
    echo "FAIL: $*" >&2
    dump_logs
    if [[ -n ${app:-} ]] && ! kill -0 "$app" 2>/dev/null; then
        wait "$app"
        echo "--- tintwell has ended, with status $?" >&2
    fi
    if [[ -n ${WAYLAND_DISPLAY:-} ]]; then
        echo "--- windows (class pid x y width height active full-screen)" >&2
        windows >&2
    fi
    exit 1
}

# --- the desktop --------------------------------------------------------

# KWin's window rules, from lines of: CLASS X Y W H [TITLE]. Each window of
# that class (and title) goes there, at that size unless it is -, without a
# frame.
kwin_rules() {
    local i=0 class x y w h title
    while read -r class x y w h title; do
        i=$((i + 1))
        printf '[%s]\nDescription=%s\nwmclass=%s\nwmclassmatch=1\n' "$i" "$class" "$class"
        printf 'position=%s,%s\npositionrule=2\nnoborder=true\nnoborderrule=2\n' "$x" "$y"
        [[ $w != - ]] && printf 'size=%s,%s\nsizerule=2\n' "$w" "$h"
        [[ -n $title ]] && printf 'title=%s\ntitlematch=1\n' "$title"
    done
    printf '[General]\ncount=%s\nrules=%s\n' "$i" "$(seq -s, 1 "$i")"
}

kde_start() { # SCALE opengl|qpainter < RULES: the buses, KWin, its XWayland and input
    local scale=$1 compose=O2
    [[ $2 == qpainter ]] && compose=Q
    unset DISPLAY WAYLAND_DISPLAY AT_SPI_BUS_ADDRESS XAUTHORITY
    # A home of its own: KWin, kglobalaccel and the portal keep their
    # settings there, and the portal saves its screenshots in ~/Pictures.
    export HOME=$work/home XDG_RUNTIME_DIR=$work/runtime
    export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share XDG_CACHE_HOME=$HOME/.cache
    export XDG_CURRENT_DESKTOP=KDE XDG_SESSION_TYPE=wayland KDE_FULL_SESSION=true KDE_SESSION_VERSION=5
    mkdir -p "$HOME/Pictures" "$XDG_CONFIG_HOME" "$work/bin"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    # Where XWayland makes its socket; an X server usually has, but not always.
    [[ -d /tmp/.X11-unix ]] || mkdir -m 1777 /tmp/.X11-unix
    kwin_rules >"$XDG_CONFIG_HOME/kwinrulesrc"

    private_bus_start
    # KWin asks logind and others on the system bus; an empty one answers
    # that none is there, and nothing of the machine's is touched.
    private_bus_start system
    start accessibility /usr/libexec/at-spi-bus-launcher --launch-immediately

    # The installed binary carries a file capability that a container may
    # not grant, and then does not even start; a copy has none. KWin's
    # platform plugin wants it named kwin_wayland still.
    cp /usr/bin/kwin_wayland "$work/bin/kwin_wayland"
    # QPainter compositing is KWin's on machines without OpenGL. Its
    # scripts' print() goes to its log, where windows reads it.
    start kwin env KWIN_COMPOSE=$compose KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 \
        KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1 QT_LOGGING_RULES=kwin_scripting.debug=true \
        "$work/bin/kwin_wayland" --virtual --xwayland --no-lockscreen --width 1280 --height 1024 \
        --scale "$scale" --socket tintwell-test
    kwin=${services[-1]}
    wait_for test -S "$XDG_RUNTIME_DIR/tintwell-test" || fail "KWin did not start"
    export WAYLAND_DISPLAY=tintwell-test
    wait_for xwayland_started || fail "KWin started no XWayland"
    export DISPLAY
    [[ -n ${XAUTHORITY:-} ]] && export XAUTHORITY
    wait_for owned org.kde.kglobalaccel || fail "KWin started no kglobalaccel"

    # Open both ways, so that neither end waits for the other; and not
    # through start, as a command sent to the background reads /dev/null
    # unless its own line says otherwise.
    mkfifo "$work/input"
    exec {input}<>"$work/input"
    "$FAKE_INPUT" <&"$input" >"$work/input.log" 2>&1 &
    services+=($!)
    wait_for grep -qx ready "$work/input.log" || fail "KWin took no fake input"
    wait_for owned org.a11y.Bus || fail "the accessibility bus did not start"
}

xwayland_started() { # sets DISPLAY, and XAUTHORITY if it takes one, from KWin's XWayland
    local pid args i
    pid=$(pgrep -P "$kwin" -x Xwayland) || return 1
    mapfile -d '' args <"/proc/$pid/cmdline"
    DISPLAY=${args[1]}
    for ((i = 2; i < ${#args[@]} - 1; i++)); do
        [[ ${args[i]} == -auth ]] && XAUTHORITY=${args[i + 1]}
    done
    [[ $DISPLAY == :* ]]
}

portals_start() { # the KDE back end, then the front end, watched
    # The back end opens System Settings through xdg-open, as Qt does any
    # address, and does nothing where there is none. Here one writes down
    # what it was asked to open, in opened.log.
    mkdir "$work/opener"
    printf '#!/bin/sh\necho "$*" >>"%s/opened.log"\n' "$work" >"$work/opener/xdg-open"
    chmod +x "$work/opener/xdg-open"
    start portal-kde env PATH="$work/opener:$PATH" QT_QPA_PLATFORMTHEME=kde QT_QPA_PLATFORM=wayland \
        "$(kde_portal_backend)"
    wait_for owned org.freedesktop.impl.portal.desktop.kde || fail "xdg-desktop-portal-kde did not start"
    start monitor dbus-monitor --session \
        "type='method_call',interface='org.freedesktop.portal.Screenshot'" \
        "type='method_call',interface='org.freedesktop.portal.GlobalShortcuts'" \
        "type='signal',interface='org.freedesktop.portal.GlobalShortcuts'" \
        "type='method_call',interface='org.kde.kwin.ColorPicker'" \
        "type='signal',interface='org.freedesktop.portal.Request',member='Response'"
    wait_for grep -q NameLost "$work/monitor.log" || fail "dbus-monitor did not start"
    start portal /usr/libexec/xdg-desktop-portal --replace
    wait_for owned org.freedesktop.portal.Desktop || fail "xdg-desktop-portal did not start"
    wait_for eval 'screenshot_version | grep -q "uint32 2"' ||
        fail "the portal offers no Screenshot version 2: $(screenshot_version 2>&1)"
}

portal_exchange() { # the portal's calls and answers so far, in one line
    awk '/member=(PickColor|Screenshot|CreateSession|ListShortcuts|BindShortcuts|Activated|pick)$/ {
             sub(/.*member=/, ""); printf "%s ", $0 }
         /member=Response$/ { answer = 1; next }
         answer && /uint32/ { printf "-> %s  ", $2; answer = 0 }' "$work/monitor.log"
    echo
}
asked() { grep -c "; member=$1\$" "$work/monitor.log"; } # MEMBER: how often the portal was asked

# --- windows ------------------------------------------------------------

windows() { # prints each window as: class pid x y width height active full-screen
    # A script run in KWin prints them to KWin's log, between lines that
    # name this listing.
    local name=list-${EPOCHREALTIME/[.,]/}
    cat >"$work/$name.js" <<SCRIPT
var windows = workspace.clientList();
for (var i = 0; i < windows.length; i++) {
    var w = windows[i], g = w.frameGeometry;
    print("$name", w.resourceClass, w.pid, g.x, g.y, g.width, g.height,
          w === workspace.activeClient ? 1 : 0, w.fullScreen ? 1 : 0);
}
print("$name", "end");
SCRIPT
    kwin_call /Scripting org.kde.kwin.Scripting.loadScript "string:$work/$name.js" "string:$name" &&
        kwin_call /Scripting org.kde.kwin.Scripting.start &&
        wait_for grep -q "^js: $name end" "$work/kwin.log" || { echo "KWin listed no windows"; return 1; }
    kwin_call /Scripting org.kde.kwin.Scripting.unloadScript "string:$name"
    sed -n "s/^js: $name \(.* .*\)/\1/p" "$work/kwin.log" | grep -v '^end$'
}

kwin_call() { # PATH METHOD ARGS...: calls KWin over D-Bus
    dbus-send --session --print-reply --dest=org.kde.KWin "$@" >/dev/null
}

placed() { # CLASS X Y W H: the window is there
    windows | grep -q "^$1 [0-9]* $2 $3 $4 $5 "
}

active_window() { windows | awk '$7 == 1 { print $1 }'; }
is_active() { [[ $(active_window) == "$1" ]]; } # CLASS

solid() { # NAME RRGGBB X Y W H: a native window of one colour, placed by its rule
    start "$1" env QT_QPA_PLATFORM=wayland "$POSITION_CHART" "$1" "$2"
    wait_for placed "$1" "$3" "$4" "$5" "$6" || fail "$1 is not at $3,$4 ${5}x$6"
}

# --- input --------------------------------------------------------------

send() { # COMMAND...: fake input, each command once KWin has the one before
    local taken
    taken=$(($(grep -cx "done" "$work/input.log") + $#))
    printf '%s\n' "$@" >&"$input"
    wait_for eval '(($(grep -cx "done" "$work/input.log") >= taken))' ||
        fail "KWin did not take the input $*"
}

click() { # X Y: the left button there
    # Moving off and back gives whatever surface just appeared there its
    # pointer enter before the press.
    send "move $(($1 + 1)) $2" "move $1 $2" "button 272 1" "button 272 0"
}

# Ctrl+Alt+P on the keyboard, by evdev codes.
press_pick_shortcut() { send "key 29 1" "key 56 1" "key 25 1" "key 25 0" "key 56 0" "key 29 0"; }

# --- tintwell -----------------------------------------------------------

tintwell_start() { # PLATFORM: the window, out of the way in the top-left corner
    start tintwell env QT_QPA_PLATFORM="$1" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$TINTWELL"
    app=${services[-1]}
    wait_for hex || fail "the window did not appear on the accessibility bus"
    wait_for eval 'windows | grep -q "^[^ ]* $app 0 0 "' || fail "the window did not appear in the corner"
}

tintwell_stop() {
    kill "$app"
    wait "$app" 2>/dev/null
}
