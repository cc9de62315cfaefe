# Helpers for driving tintwell on a real X desktop from outside, as a user's
# desktop would: xdotool, wmctrl, xwininfo and xprop. Sourced by the tests.
# Each test runs in its own settings folder ($XDG_CONFIG_HOME).

set -u
TINTWELL=${TINTWELL:?path to the tintwell binary}
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config
unset QT_QPA_PLATFORM QT_SCALE_FACTOR

fail() { echo "FAIL: $*" >&2; exit 1; }

# Waits up to thirty seconds for a command to succeed: a busy machine may
# take that long, and a test that passes waits no longer than it has to.
wait_for() {
    for _ in $(seq 300); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

conf_file() { echo "$XDG_CONFIG_HOME/Tintwell/Tintwell.conf"; }

write_conf() { # LEFT TOP: the stored texts, as a hand-edited file might hold them
    mkdir -p "$XDG_CONFIG_HOME/Tintwell"
    printf '[frmMain]\nLeft=%s\nTop=%s\n' "$1" "$2" >"$(conf_file)"
}

stored() { # KEY: the stored text
    sed -n "s/^$1=//p" "$(conf_file)" 2>/dev/null
}

framed() { # WINDOW: the window manager has framed it
    xprop -id "$1" _NET_FRAME_EXTENTS | grep -q =
}

# Starts tintwell, in the locale $APP_LOCALE if set, and sets $app (its pid)
# and $win (its window).
start_app() {
    # As from a terminal: a script's background job would ignore SIGINT.
    env --default-signal=INT ${APP_LOCALE:+LC_ALL=$APP_LOCALE} "$TINTWELL" 2>>"$work/stderr" &
    app=$!
    win=""
    for _ in $(seq 100); do
        win=$(xdotool search --all --onlyvisible --pid "$app" --name '^Tintwell$' 2>/dev/null | head -1)
        [[ -n $win ]] && framed "$win" && break
        sleep 0.1
    done
    [[ -n $win ]] || fail "no window appeared"
    # The window manager may still be settling its frame.
    local before=""
    for _ in $(seq 20); do
        local now
        now=$(frame_geometry "$win")
        [[ $now == "$before" ]] && return 0
        before=$now
        sleep 0.1
    done
}

# The outer frame of a window, "X Y W H", in pixels.
frame_geometry() {
    local info extents
    info=$(xwininfo -id "$1")
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    read -r l r t b <<<"$extents"
    local x y w h
    x=$(awk '/Absolute upper-left X/{print $4}' <<<"$info")
    y=$(awk '/Absolute upper-left Y/{print $4}' <<<"$info")
    w=$(awk '/Width:/{print $2}' <<<"$info")
    h=$(awk '/Height:/{print $2}' <<<"$info")
    echo "$((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))"
}

frame_position() { frame_geometry "$1" | cut -d' ' -f1,2; }

move_frame() { # WINDOW X Y: moves the outer frame's top-left there
    wmctrl -i -r "$1" -e "1,$2,$3,-1,-1"
    wait_for test "$(frame_position "$1")" = "$2 $3" || true
}

expect_ended() { # WHEN: waits for tintwell to end, which it must, with status 0
    for _ in $(seq 100); do
        kill -0 "$app" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$app" 2>/dev/null && fail "tintwell did not end $1"
    wait "$app"
    local status=$?
    [[ $status -eq 0 ]] || fail "tintwell ended with status $status: $(cat "$work/stderr")"
}

close_app() { # closes the window as its close button would, and waits for the exit
    wmctrl -i -c "$win"
    expect_ended "after its window was closed"
}

expect_position() { # X Y: where the frame must be
    local at
    at=$(frame_position "$win")
    [[ $at == "$1 $2" ]] || fail "window frame at $at, expected $1 $2"
}

expect_stored() { # LEFT TOP
    [[ $(stored Left) == "$1" && $(stored Top) == "$2" ]] ||
        fail "stored Left=$(stored Left) Top=$(stored Top), expected $1 $2"
}

# Picking. The chart (tests/support/pixel_chart.cpp) gives the pixel at root
# (x, y) the colour red x & 255, green y & 255, blue $chart_blue, so a pick
# one pixel off, or at a scaled position, copies a colour that shows it.
PIXEL_CHART=${PIXEL_CHART:-$(dirname "$TINTWELL")/../tests/pixel_chart}
chart_blue=90

start_chart() { # X Y WIDTH HEIGHT, in root pixels
    "$PIXEL_CHART" "$@" "$chart_blue" >"$work/chart" &
    wait_for grep -qx ready "$work/chart" || fail "the pixel chart did not appear"
}

chart_colour() { # X Y: the colour the chart shows there
    printf '#%02X%02X%02X\n' $(($1 & 255)) $(($2 & 255)) "$chart_blue"
}

# While picking, a window of tintwell's shows the magnifier.
picking() {
    xdotool search --all --onlyvisible --pid "$app" --name '^Magnifier$' 2>/dev/null | grep -q .
}

start_picking() { # at the pointer, with Ctrl+P in the window
    xdotool windowactivate --sync "$win" key ctrl+p
    wait_for picking || fail "Ctrl+P did not start picking (no magnifier showed)"
}

not_picking() { ! picking; }

# Each test starts with an empty clipboard: its owner ended with the test before.
copied() { xclip -o -selection clipboard 2>/dev/null; }
copied_something() { [[ -n $(copied) ]]; }

expect_copied() { # COLOUR: what Ctrl+Shift+C copies once the pick is over
    wait_for not_picking || fail "picking did not end"
    xdotool windowactivate --sync "$win" key ctrl+shift+c
    wait_for copied_something
    [[ $(copied) == "$1" ]] || fail "copied '$(copied)', expected $1"
}
