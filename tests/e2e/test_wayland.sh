#!/usr/bin/env bash
# The bar in a Wayland session: a headless GNOME compositor (mutter) with XWayland on a private
# session bus, the bar started with both WAYLAND_DISPLAY and DISPLAY set and left to choose its
# platform itself. It must open at the top right corner of the compositor's monitor, stay above
# an ordinary window that is activated over it, and keep out of the taskbar. When the compositor
# cannot start on this machine, the test says why and is skipped.
# Usage: test_wayland.sh PATH/TO/veskor
set -u -o pipefail
# shellcheck source=harness.sh
source "$(dirname "$0")/harness.sh"

readonly MONITOR_W=1280 MONITOR_H=800 BAR_W=278

e2e_require_servers mutter Xwayland dbus-run-session
e2e_require_inspectors
VESKOR=${1:-${VESKOR:-}}
e2e_prepare

# skip REASON: the compositor, not the bar, failed; mutter's last words say why.
skip() {
    echo "SKIP: $1"
    grep -v -e '^ *$' "$E2E_TMP/logs/mutter.log" 2>/dev/null | tail -n 5 | sed 's/^/      /'
    exit "$E2E_SKIP"
}

# ------------------------------------------------------------------------------------------------
e2e_step "a headless mutter with XWayland on a private session bus"
# mutter checks that the X11 socket folder is the usual one anyone may write to, and one it
# makes itself comes out with the umask's mode, which it then refuses.
[ -d /tmp/.X11-unix ] || mkdir -m 1777 /tmp/.X11-unix 2>/dev/null
# mutter runs the command given after "--" once its displays are ready, with their addresses in
# the command's environment; that command hands them over and keeps the compositor running,
# which ends when its command does. Everything the session starts (bus, compositor, XWayland)
# shares a process group of its own, which the clean-up ends last.
SESSION_ENV="$E2E_TMP/session.env"
# shellcheck disable=SC2016 # expanded by the command's own shell
e2e_spawn mutter setsid dbus-run-session -- \
    mutter --headless --wayland --virtual-monitor "${MONITOR_W}x${MONITOR_H}" -- \
    sh -c 'printf "%s\n" "MUTTER_PID=$PPID" "HELPER_PID=$$" \
        "WAYLAND_DISPLAY=${WAYLAND_DISPLAY:-}" "DISPLAY=${DISPLAY:-}" \
        "XAUTHORITY=${XAUTHORITY:-}" "DBUS_SESSION_BUS_ADDRESS=$DBUS_SESSION_BUS_ADDRESS" \
        >"$1.part" && mv "$1.part" "$1" && exec sleep infinity' sh "$SESSION_ENV"
SESSION_PID=$E2E_LAST_PID
E2E_PIDS=("-$SESSION_PID") # the group: e2e_stop_pid's kill takes one as well

session_up() { [ -s "$SESSION_ENV" ] || ! kill -0 "$SESSION_PID" 2>/dev/null; }
e2e_wait_for 60 session_up || skip "mutter did not bring up its displays within 60 s"
[ -s "$SESSION_ENV" ] || skip "mutter ended before its displays were up"

session_value() { sed -n "s/^$1=//p" "$SESSION_ENV"; }
# The compositor and its command outlive dbus-run-session's own pid: they are stopped first.
E2E_PIDS+=("$(session_value MUTTER_PID)" "$(session_value HELPER_PID)")
[ -n "$(session_value DISPLAY)" ] || skip "mutter started without XWayland (no DISPLAY)"
export WAYLAND_DISPLAY DISPLAY XAUTHORITY DBUS_SESSION_BUS_ADDRESS
WAYLAND_DISPLAY=$(session_value WAYLAND_DISPLAY)
DISPLAY=$(session_value DISPLAY)
XAUTHORITY=$(session_value XAUTHORITY)
DBUS_SESSION_BUS_ADDRESS=$(session_value DBUS_SESSION_BUS_ADDRESS)
# What a GNOME session on Wayland sets; the bar, not the test, picks the toolkit's platform.
export XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=GNOME
unset QT_QPA_PLATFORM

e2e_wait_for 30 e2e__wm_ready || e2e_fail "mutter manages no windows on XWayland's $DISPLAY"
read -r screen_w screen_h < <(xwininfo -root | awk '/^ *Width:/ {w=$2} /^ *Height:/ {h=$2}
    END {print w, h}')
e2e_expect_eq "XWayland's screen (the virtual monitor)" "${MONITOR_W}x${MONITOR_H}" \
    "${screen_w}x${screen_h}"
e2e_log "WAYLAND_DISPLAY=$WAYLAND_DISPLAY DISPLAY=$DISPLAY"

# ------------------------------------------------------------------------------------------------
e2e_step "the bar opens at the top right corner, above others and out of the taskbar"
e2e_start_bar
bar_at() { e2e_geometry "$BAR" && [ "$E2E_GEOM_X $E2E_GEOM_Y" = "$1 $2" ]; }
e2e_wait_for 10 bar_at $((MONITOR_W - BAR_W)) 0 ||
    e2e_fail "bar at ($E2E_GEOM_X, $E2E_GEOM_Y), expected ($((MONITOR_W - BAR_W)), 0)"
e2e_log "ok: bar at ($((MONITOR_W - BAR_W)), 0), ${E2E_GEOM_W}x${E2E_GEOM_H}"
# mutter writes _NET_WM_STATE itself from what it has granted.
e2e_wait_state "$BAR" _NET_WM_STATE_ABOVE 10
e2e_wait_state "$BAR" _NET_WM_STATE_SKIP_TASKBAR 10
e2e_log "ok: _NET_WM_STATE = $E2E_STATE"

# ------------------------------------------------------------------------------------------------
e2e_step "an ordinary window over the corner, activated, stays below the bar"
# xmessage takes the keyboard focus, so the window manager can make it the active window.
e2e_spawn xmessage xmessage -geometry 400x200-0+0 "an ordinary window over the corner"
e2e_wait_window xmessage 20
OTHER=$E2E_WID
e2e_expect "xmessage is in the taskbar (the check below can tell)" \
    e2e__lacks_state "$OTHER" _NET_WM_STATE_SKIP_TASKBAR

# hex WID: the form xprop and xwininfo print.
hex() { printf '0x%x' "$1"; }

# top_level WID: the child of the root that holds the window (mutter's frame, or the window
# itself), as a hex id in E2E_TOP.
top_level() {
    local id=$1 line
    while line=$(xwininfo -id "$id" -children 2>/dev/null | grep 'Parent window id:'); do
        if [[ $line == *"(the root window)"* ]]; then
            E2E_TOP=$(hex "$id")
            return 0
        fi
        id=$(awk '{print $4}' <<<"$line")
    done
    return 1
}

# xmessage's frame must cover part of the bar, or "above" means nothing.
top_level "$OTHER" || e2e_fail "cannot find xmessage's frame"
OTHER_TOP=$E2E_TOP
e2e_geometry "$OTHER_TOP"
if [ $((E2E_GEOM_X + E2E_GEOM_W)) -le $((MONITOR_W - BAR_W)) ] || [ "$E2E_GEOM_Y" -ge 21 ]; then
    e2e_fail "xmessage's frame ${E2E_GEOM_W}x${E2E_GEOM_H}+$E2E_GEOM_X+$E2E_GEOM_Y misses the bar"
fi

# Activation as a pager asks for it: the window manager focuses xmessage and raises it to the top
# of the ordinary windows.
active_is() {
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]
}
xdotool windowactivate "$OTHER" 2>>"$E2E_TMP/logs/xdotool.log"
e2e_wait_for 10 active_is "$OTHER" || e2e_fail "mutter did not activate xmessage"
e2e_log "ok: xmessage is the active window"

# above_in_stacking: the bar after xmessage in the window manager's stacking list (bottom to top)
# and, on the X server itself, the bar's window above xmessage's frame (xwininfo lists the root's
# children top first).
above_in_stacking() {
    local list children order
    list=$(xprop -root _NET_CLIENT_LIST_STACKING | sed -n 's/^.*window id # //p' | tr -d ',')
    order=" $(hex "$OTHER") (.* )?$(hex "$BAR") "
    [[ " $list " =~ $order ]] || return 1
    children=$(xwininfo -root -children | awk '$1 ~ /^0x/ {print $1}' | tr '\n' ' ')
    order=" $(hex "$BAR") (.* )?$OTHER_TOP "
    [[ " $children" =~ $order ]]
}
e2e_wait_for 10 above_in_stacking ||
    e2e_fail "the bar is not above xmessage: _NET_CLIENT_LIST_STACKING = \
$(xprop -root _NET_CLIENT_LIST_STACKING), bar $(hex "$BAR"), xmessage $(hex "$OTHER") in $OTHER_TOP"
e2e_log "ok: the bar is above the active xmessage"

e2e_pass
