# shellcheck shell=bash
# A private wlroots desktop for end-to-end tests, sourced by the test scripts:
# a headless sway (in a user namespace, since sway will not run as root) with
# XWayland, a session bus of its own, PipeWire, the AT-SPI bus
# and the real portal stack (xdg-desktop-portal with its wlr and gtk back
# ends). Everything started here is stopped again when the script exits.
# Needs TINTWELL, VIRTUAL_POINTER and POSITION_CHART in the environment.

sway_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

skip() { echo "SKIP: $*"; exit 77; }

sway_require() { # skips unless every tool the desktop needs is here
    local tool
    for tool in sway swaymsg Xwayland xrdb grim slurp wtype xdotool pipewire dbus-daemon dbus-send \
        dbus-monitor unshare getent; do
        command -v "$tool" >/dev/null || skip "no $tool"
    done
    local libexec
    for libexec in xdg-desktop-portal xdg-desktop-portal-wlr xdg-desktop-portal-gtk \
        at-spi-bus-launcher; do
        [[ -x /usr/libexec/$libexec ]] || skip "no /usr/libexec/$libexec"
    done
    [[ -n ${VIRTUAL_POINTER:-} && -x ${VIRTUAL_POINTER:-} ]] ||
        skip "no virtual_pointer helper (wayland-scanner or libwayland-client missing at build time)"
    [[ -n ${POSITION_CHART:-} && -x ${POSITION_CHART:-} ]] || skip "no position_chart helper"
    compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so" >/dev/null ||
        skip "no qt6-wayland"
    $python -c 'import dbus, pyatspi' 2>/dev/null || skip "no python3-dbus or python3-pyatspi"
    sway_account=$(sway_account) || skip "no account that sway could run as"
    unshare --user --map-user="${sway_account%:*}" --map-group="${sway_account#*:}" true 2>/dev/null ||
        skip "user namespaces are not available"
}

# sway will not run as root, so it runs in a user namespace in which root is
# an ordinary user. XWayland takes clients of its own user only, found by
# name, so that user needs an account: 1000's, the first user's, where there
# is one, as on a desktop; nobody's otherwise, as in a fresh minimal system.
sway_account() { # prints UID:GID
    local entry uid gid
    entry=$(getent passwd 1000) || entry=$(getent passwd nobody) || return 1
    IFS=: read -r _ _ uid gid _ <<<"$entry"
    echo "$uid:$gid"
}

work=$(mktemp -d)
source "$sway_here/../support/services.sh"
source "$sway_here/../support/pick_session.sh"
sway_cleanup() {
    stop_services
    # xdg-desktop-portal-wlr writes every screenshot to this one fixed file;
    # a stale one would answer for a capture that failed.
    rm -f /tmp/out.png
    rm -rf "$work"
}
trap sway_cleanup EXIT
# A test timed out or interrupted still stops everything it started.
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

fail() {
    echo "FAIL: $*" >&2
    local shot
    dump_logs
    if [[ -n ${SWAYSOCK:-} ]]; then
        echo "--- windows" >&2
        windows >&2
        echo "--- focus: $(focused_window)" >&2
        shot=${TMPDIR:-/tmp}/sway-failure-$$.png
        grim "$shot" 2>/dev/null && echo "--- the screen at the failure: $shot" >&2
    fi
    exit 1
}

# A cursor theme whose every cursor is transparent: the headless renderer
# draws the cursor into screen captures, and a pick must read the window
# under it, not the arrow.
blank_cursor_theme() { # DIR
    mkdir -p "$1/blank/cursors"
    printf '[Icon Theme]\nName=blank\n' >"$1/blank/index.theme"
    $python - "$1/blank/cursors" <<'EOF'
import os, struct, sys
folder = sys.argv[1]
size, image = 24, 0xFFFD0002
header = struct.pack("<4sIII", b"Xcur", 16, 0x10000, 1) + struct.pack("<III", image, size, 28)
chunk = struct.pack("<9I", 36, image, size, 1, size, size, 0, 0, 0) + bytes(4 * size * size)
with open(os.path.join(folder, "default"), "wb") as out:
    out.write(header + chunk)
names = """left_ptr arrow top_left_arrow pointer hand1 hand2 pointing_hand openhand
closedhand grab grabbing text xterm ibeam vertical-text crosshair cross tcross
watch wait progress left_ptr_watch half-busy not-allowed forbidden crossed_circle
move fleur all-scroll size_all col-resize row-resize split_h split_v ew-resize
ns-resize nesw-resize nwse-resize e-resize w-resize n-resize s-resize ne-resize
nw-resize se-resize sw-resize size_hor size_ver size_bdiag size_fdiag
sb_h_double_arrow sb_v_double_arrow h_double_arrow v_double_arrow top_side
bottom_side left_side right_side top_left_corner top_right_corner
bottom_left_corner bottom_right_corner question_arrow help whats_this
left_ptr_help copy dnd-copy dnd-move dnd-link dnd-none dnd-ask alias link
context-menu cell zoom-in zoom-out X_cursor pirate circle dotbox plus
center_ptr right_ptr""".split()
for name in names:
    os.symlink("default", os.path.join(folder, name))
EOF
}

# --- the desktop --------------------------------------------------------

sway_start() { # starts the buses, PipeWire, sway, its XWayland, a pointer and a keyboard
    unset DISPLAY WAYLAND_DISPLAY SWAYSOCK AT_SPI_BUS_ADDRESS
    export XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config
    export XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=sway
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    mkdir -p "$XDG_CONFIG_HOME"
    # Where XWayland makes its socket; an X server usually has, but not always.
    [[ -d /tmp/.X11-unix ]] || mkdir -m 1777 /tmp/.X11-unix
    rm -f /tmp/out.png

    private_bus_start

    start accessibility /usr/libexec/at-spi-bus-launcher --launch-immediately
    # xdg-desktop-portal-wlr will not start without PipeWire.
    start pipewire pipewire
    wait_for test -S "$XDG_RUNTIME_DIR/pipewire-0" || fail "PipeWire did not start"

    blank_cursor_theme "$work/icons"
    cat >"$work/ready.sh" <<EOF
#!/bin/sh
echo "WAYLAND_DISPLAY=\$WAYLAND_DISPLAY DISPLAY=\$DISPLAY SWAYSOCK=\$SWAYSOCK" >"$work/sway-env.tmp"
mv "$work/sway-env.tmp" "$work/sway-env"
EOF
    chmod +x "$work/ready.sh"
    cat >"$work/sway.conf" <<EOF
output HEADLESS-1 mode 1280x1024 position 0 0 scale 1
default_border none
default_floating_border none
focus_follows_mouse no
xwayland force
seat seat0 xcursor_theme blank 24
exec_always $work/ready.sh
EOF
    start sway env XCURSOR_PATH="$work/icons" XCURSOR_THEME=blank XCURSOR_SIZE=24 \
        WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
        unshare --user --map-user="${sway_account%:*}" --map-group="${sway_account#*:}" sway -c "$work/sway.conf"
    wait_for test -s "$work/sway-env" || fail "sway did not start"
    local settings setting
    read -ra settings <"$work/sway-env"
    for setting in "${settings[@]}"; do export "${setting?}"; done
    [[ -n $WAYLAND_DISPLAY && -S $SWAYSOCK ]] || fail "sway gave no sockets: $(cat "$work/sway-env")"
    [[ -n $DISPLAY ]] || fail "sway started no XWayland"
    # Everything from here on uses the blank cursors too, X clients included.
    # Qt 6.5 and later load X cursors through xcb-cursor, which takes the
    # theme from the X resources and not from XCURSOR_THEME.
    export XCURSOR_PATH="$work/icons" XCURSOR_THEME=blank XCURSOR_SIZE=24
    printf 'Xcursor.theme: blank\nXcursor.size: 24\n' | xrdb -merge - || fail "xrdb could not set the cursor theme"

    start pointer "$VIRTUAL_POINTER"
    wait_for grep -qx ready "$work/pointer.log" || fail "the virtual pointer did not start"
    # A keyboard that stays, too. With none, the seat gains one only as
    # wtype starts, and a window given the focus by that keyboard sees the
    # key already down as it enters: the press is lost.
    start keyboard wtype -s 2000000000
    wait_for eval 'swaymsg -t get_inputs | grep -q "\"type\": \"keyboard\""' ||
        fail "the seat has no keyboard"
    wait_for owned org.a11y.Bus || fail "the accessibility bus did not start"
}

portals_start() { # with|without: slurp on the wlr back end's PATH
    local path=$PATH
    if [[ $1 == without ]]; then
        # Everything the back end could want but slurp. Without slurp its
        # PickColor fails at once; grim it keeps, as its Screenshot runs it.
        path=$work/no-slurp
        mkdir "$path"
        # Two calls, not one a tool: /usr/bin holds thousands. Where /bin is
        # /usr/bin, the second only finds each one there already.
        ln -s /usr/bin/* "$path" 2>/dev/null
        ln -s /bin/* "$path" 2>/dev/null
        rm -f "$path/slurp"
    fi
    start portal-wlr env PATH="$path" /usr/libexec/xdg-desktop-portal-wlr --replace
    wait_for owned org.freedesktop.impl.portal.desktop.wlr || fail "xdg-desktop-portal-wlr did not start"
    # The front end offers Screenshot only when some back end has Access,
    # which only the gtk one does here.
    start portal-gtk env GDK_BACKEND=wayland /usr/libexec/xdg-desktop-portal-gtk --replace
    wait_for owned org.freedesktop.impl.portal.desktop.gtk || fail "xdg-desktop-portal-gtk did not start"
    portal_watch
    start portal /usr/libexec/xdg-desktop-portal --replace
    wait_for owned org.freedesktop.portal.Desktop || fail "xdg-desktop-portal did not start"
    wait_for eval 'screenshot_version | grep -q "uint32 2"' ||
        fail "the portal offers no Screenshot version 2: $(screenshot_version 2>&1)"
}

# --- windows ------------------------------------------------------------

windows() { # prints each window as: app_id-or-class pid x y width height fullscreen output
    swaymsg -t get_tree | $python -c '
import json, sys
def walk(node, output):
    if node.get("type") == "output":
        output = node["name"]
    if node.get("pid") and node.get("type") in ("con", "floating_con"):
        r = node["rect"]
        name = node.get("app_id") or (node.get("window_properties") or {}).get("class") or "?"
        print(name, node["pid"], r["x"], r["y"], r["width"], r["height"],
              node.get("fullscreen_mode", 0), output)
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        walk(child, output)
walk(json.load(sys.stdin), "-")'
}

focused_window() { # prints the window that has sway's focus as windows does
    local id
    id=$(swaymsg -t get_seats | $python -c 'import json, sys; print(json.load(sys.stdin)[0]["focus"])')
    swaymsg -t get_tree | $python -c '
import json, sys
def walk(node):
    if node["id"] == int(sys.argv[1]):
        r = node["rect"]
        name = node.get("app_id") or (node.get("window_properties") or {}).get("class") or node.get("name")
        print(name, node.get("pid", "-"), r["x"], r["y"], r["width"], r["height"], node.get("fullscreen_mode", 0))
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        walk(child)
walk(json.load(sys.stdin))' "$id"
}

rule() { # CRITERIA COMMANDS: what sway does to each new window that matches
    # Quoted, or sway would split the commands at their commas itself.
    swaymsg "for_window [$1] \"$2\"" >/dev/null || fail "sway took no rule for [$1]"
}

placed() { # APP_ID X Y W H: the window is there
    windows | grep -q "^$1 [0-9]* $2 $3 $4 $5 0 "
}

pixel() { # X Y: the colour on the screen at this layout point, as RRGGBB
    # On a scale-2 output the point is 2x2 pixels; the first is the one
    # whose corner the pointer's tip is on.
    grim -g "$1,$2 1x1" -t ppm - | $python -c '
import sys
data = sys.stdin.buffer.read()
fields, at = [], 0
while len(fields) < 4:  # P6, width, height, maximum, then one blank
    while data[at:at + 1].isspace():
        at += 1
    end = at
    while not data[end:end + 1].isspace():
        end += 1
    fields.append(data[at:end])
    at = end
print(data[at + 1:at + 4].hex())'
}

paints() { # X Y RRGGBB
    [[ $(pixel "$1" "$2") == "${3,,}" ]]
}

solid() { # APP_ID RRGGBB X Y W H: a window of one colour, there
    local id=$1
    rule "app_id=\"^$id\$\"" "floating enable, resize set $5 $6, move absolute position $3 $4"
    start "$id" env QT_QPA_PLATFORM=wayland "$POSITION_CHART" "$id" "$2"
    wait_for placed "$id" "$3" "$4" "$5" "$6" || fail "$id is not at $3,$4 ${5}x$6: $(windows)"
}

chart() { # X Y W H: the position chart, there
    rule 'app_id="^chart$"' "floating enable, resize set $3 $4, move absolute position $1 $2"
    # Natively, at the output's own scale, whatever platform tintwell is on.
    start chart env QT_QPA_PLATFORM=wayland "$POSITION_CHART" chart
    wait_for placed chart "$1" "$2" "$3" "$4" || fail "the chart is not at $1,$2 ${3}x$4: $(windows)"
    chart_x=$1 chart_y=$2
}

chart_colour() { # X Y SCALE: what the chart shows at this layout point, as RRGGBB
    local x=$((($1 - chart_x) * $3)) y=$((($2 - chart_y) * $3))
    printf '%02x%02x%02x\n' $((x & 255)) $((y & 255)) $((0x80 | (x >> 8 & 15) << 3 | (y >> 8 & 7)))
}

# --- the pointer --------------------------------------------------------

point_at() { # X Y: moves the pointer there
    # Moving off and back gives whatever surface just appeared there its
    # pointer enter before the press. A quarter into the pixel, as sway
    # divides in single precision and libwayland 1.23 truncates: 901 could
    # arrive as 900.996. At scale 2 that is still the first of the pixel's
    # two physical pixels.
    swaymsg -q seat seat0 cursor set "$(($1 + 1)).25" "$2.25"
    swaymsg -q seat seat0 cursor set "$1.25" "$2.25"
}

press_button() { # clicks the left button where the pointer is
    swaymsg -q seat seat0 cursor press button1
    swaymsg -q seat seat0 cursor release button1
}

click() { # X Y: moves the pointer there, then clicks the left button
    point_at "$1" "$2"
    press_button
}

# --- tintwell -----------------------------------------------------------

tintwell_start() { # PLATFORM: the window, out of the way in the top-left corner
    rule 'app_id="^org\.tintwell\.Tintwell$" title="^Tintwell$"' "floating enable, move absolute position 0 0"
    rule 'class="^Tintwell$" title="^Tintwell$"' "floating enable, move absolute position 0 0"
    start tintwell env QT_QPA_PLATFORM="$1" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$TINTWELL"
    app=${services[-1]}
    wait_for hex || fail "the window did not appear on the accessibility bus"
    wait_for tintwell_windows 1 || fail "the window did not appear on sway: $(windows)"
}

tintwell_windows() { # N: tintwell has this many windows on sway
    (($(windows | awk -v pid="$app" '$2 == pid' | wc -l) == $1))
}
# The back end's own picker, which the portal started here: the desktop
# tests run one at a time, so no other slurp is in this session.
slurp_running() { pgrep -s 0 -x slurp; }
