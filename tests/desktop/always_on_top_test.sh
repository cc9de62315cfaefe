#!/usr/bin/env bash
# "Always on Top" sets and clears the window manager's keep-above state on
# the same native window, without moving it, and keeps it above another
# window activated over it. Before and after, the window manager offers no
# way to resize or maximise the fixed window. Usage: always_on_top_test.sh
source "$(dirname "$0")/desktop_lib.sh"
[[ -n ${DISPLAY:-} ]] || { echo "SKIP: no X display"; exit 77; }

above() { xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; }

# Which of two windows the window manager stacks higher.
higher() {
    local stacking
    stacking=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g')
    local top=""
    for id in $stacking; do
        ((id == $1 || id == $2)) && top=$((id))
    done
    echo "$top"
}

click_always_on_top() { # WINDOW: clicks the box as a user would
    local info x y
    info=$(xwininfo -id "$1")
    x=$(awk '/Absolute upper-left X/{print $4}' <<<"$info")
    y=$(awk '/Absolute upper-left Y/{print $4}' <<<"$info")
    xdotool mousemove $((x + 62)) $((y + 16)) click 1
}

# Minimum and maximum size the same, and so nothing that would change it.
looks_fixed() {
    local hints
    hints=$(xprop -id "$1" WM_NORMAL_HINTS)
    [[ $(sed -n 's/.*minimum size: //p' <<<"$hints") == $(sed -n 's/.*maximum size: //p' <<<"$hints") ]] ||
        fail "minimum and maximum size differ: $hints"
    ! xprop -id "$1" _NET_WM_ALLOWED_ACTIONS | grep -Eq 'MAXIMIZE|RESIZE' ||
        fail "the window manager offers: $(xprop -id "$1" _NET_WM_ALLOWED_ACTIONS)"
}

write_conf 1500 1500
start_app
picker=$win picker_app=$app
geometry=$(frame_geometry "$picker")
looks_fixed "$picker"

click_always_on_top "$picker"
wait_for above "$picker" || fail "checking the box did not set the keep-above state"
[[ $(xdotool search --all --onlyvisible --pid "$picker_app" --name '^Tintwell$' | head -1) == "$picker" ]] ||
    fail "the native window was replaced"
[[ $(frame_geometry "$picker") == "$geometry" ]] || fail "the window moved or changed size"
[[ $(xdotool getactivewindow) == "$picker" ]] || fail "the window lost the focus"
looks_fixed "$picker"

# Another window, opened over it and activated, stays below it.
export XDG_CONFIG_HOME=$work/other
start_app
other=$win other_app=$app
xdotool windowactivate --sync "$other"
wait_for test "$(higher "$picker" "$other")" = "$((picker))" || fail "the other window covered it"

# Unchecked, the other window may cover it again.
xdotool windowactivate --sync "$picker"
click_always_on_top "$picker"
wait_for sh -c "! xprop -id $picker _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE" ||
    fail "unchecking the box did not clear the keep-above state"
[[ $(frame_geometry "$picker") == "$geometry" ]] || fail "the window moved or changed size"
xdotool windowactivate --sync "$other"
wait_for test "$(higher "$picker" "$other")" = "$((other))" || fail "the other window stayed below"

close_app
win=$picker app=$picker_app
close_app
echo "PASS"
