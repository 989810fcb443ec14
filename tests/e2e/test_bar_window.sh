#!/usr/bin/env bash
# The bar as a real window under a window manager and a panel: where it opens, the window
# states that keep it on top and out of the task list, dragging it and the stored position,
# the pull-back onto the screen, and the memory row.
# Usage: test_bar_window.sh PATH/TO/veskor
set -u -o pipefail
# shellcheck source=harness.sh
source "$(dirname "$0")/harness.sh"
e2e_begin "$@"

readonly W=$E2E_SCREEN_W H=$E2E_SCREEN_H BAR_W=278 ROW_H=21
# The task list fills the panel from the left; the tray on the right is left out, since the
# bar's own tray icon appears there.
readonly TASKS="$((E2E_PANEL_W - 200))x${E2E_PANEL_H}+${E2E_PANEL_X}+${E2E_PANEL_Y}"

stop_bar() {
    e2e_stop_veskor
    e2e_wait_for 5 e2e__not_viewable "$BAR" || e2e_fail "bar window $BAR still mapped after exit"
}

bar_at() { e2e_geometry "$BAR" && [ "$E2E_GEOM_X $E2E_GEOM_Y" = "$1 $2" ]; }

# e2e_expect_position WHAT X Y: the bar reaches (X, Y); the program may move itself at its
# first paint, a moment after the map.
expect_position() {
    e2e_wait_for 3 bar_at "$2" "$3" ||
        e2e_fail "$1: bar at ($E2E_GEOM_X, $E2E_GEOM_Y), expected ($2, $3)"
    e2e_log "ok: $1: bar at ($2, $3)"
}

stored_position_is() {
    e2e_setting Top && local top=$E2E_VALUE && e2e_setting Left && [ "$E2E_VALUE $top" = "$1 $2" ]
}

expect_setting() {
    e2e_setting "$1" || e2e_fail "setting $1 missing from $E2E_SETTINGS: $(cat "$E2E_SETTINGS")"
    e2e_expect_eq "setting $1" "$2" "$E2E_VALUE"
}

# ------------------------------------------------------------------------------------------------
e2e_step "(a) first run: placement, title, window states, settings file"
e2e_expect "no settings file before the first run" test ! -e "$E2E_SETTINGS"
e2e_stable_screenshot tasks-empty "$TASKS"
tasks_empty=$E2E_SHOT

e2e_start_bar
e2e_expect_eq "window title" '"Veskor Pro 4.5"' \
    "$(xprop -id "$BAR" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = //p')"
e2e_expect_eq "window size" "${BAR_W}x${ROW_H}" "${E2E_GEOM_W}x${E2E_GEOM_H}"
expect_position "top right corner on first run" $((W - BAR_W)) 0
e2e_expect_eq "frame extents (no decorations)" "0, 0, 0, 0" \
    "$(xprop -id "$BAR" _NET_FRAME_EXTENTS | sed -n 's/^_NET_FRAME_EXTENTS(CARDINAL) = //p')"
e2e_wait_state "$BAR" _NET_WM_STATE_ABOVE
e2e_wait_state "$BAR" _NET_WM_STATE_SKIP_PAGER
e2e_log "ok: _NET_WM_STATE = $E2E_STATE"
e2e_expect "settings file created on first run" e2e_wait_for 3 test -f "$E2E_SETTINGS"

# ------------------------------------------------------------------------------------------------
e2e_step "(b) no button in the panel's task list"
sleep 1 # let tint2 catch up with the state change before looking
e2e_screenshot tasks-with-bar "$TASKS"
e2e_pixels_differ "$tasks_empty" "$E2E_SHOT"
e2e_expect_eq "task list pixels changed by the bar (see $E2E_SHOT)" 0 "$E2E_DIFF"

# The same comparison must notice an ordinary window's button, or it proves nothing.
e2e_spawn xclock xclock -geometry 100x100+100+100
xclock_pid=$E2E_LAST_PID
e2e_wait_window xclock 10
e2e_stable_screenshot tasks-with-xclock "$TASKS"
e2e_pixels_differ "$tasks_empty" "$E2E_SHOT"
[ "$E2E_DIFF" -gt 0 ] || e2e_fail "control: xclock's task button not seen in $TASKS ($E2E_SHOT)"
e2e_log "ok: control: xclock's button changes $E2E_DIFF pixels of the task list"
e2e_stop_pid "$xclock_pid"

# ------------------------------------------------------------------------------------------------
e2e_step "(c) dragging moves the bar and stores the new position"
e2e_geometry "$BAR"
x0=$E2E_GEOM_X y0=$E2E_GEOM_Y
dx=-300 dy=200
e2e_drag $((x0 + 30)) $((y0 + 10)) $((x0 + 30 + dx)) $((y0 + 10 + dy))
expect_position "after the drag" $((x0 + dx)) $((y0 + dy))
# Stored when the drag ends; a generous wait, since this checks that it is saved, not how fast.
e2e_wait_for 5 stored_position_is $((x0 + dx)) $((y0 + dy)) ||
    e2e_fail "settings after the drag: Top/Left not the window's ($((y0 + dy)), $((x0 + dx))):" \
        "$(cat "$E2E_SETTINGS")"
e2e_log "ok: Top=$((y0 + dy)) Left=$((x0 + dx)) stored"
# Saving writes the whole state, not only the position.
expect_setting StayOnTop 1
expect_setting Memory 0

# ------------------------------------------------------------------------------------------------
e2e_step "(d) restart: the bar comes back where it was left"
stop_bar
e2e_start_bar
expect_position "after restart" $((x0 + dx)) $((y0 + dy))

# ------------------------------------------------------------------------------------------------
e2e_step "(e) a position off any edge is pulled back onto the screen"
# Openbox keeps a tenth of a window's height inside the work area (above the panel), so a
# one-row bar stored at H - 5 would be lifted by the WM before the bar looked at it. A two-row
# bar stored 38 pixels above the bottom is left alone by the WM: correcting it is the bar's job.
stop_bar
e2e_write_settings "Top=$((H - 38))" "Left=$((W - 100))" Memory=1
e2e_start_bar
expect_position "stored partly off the bottom right" $((W - BAR_W)) $((H - 2 * ROW_H))

stop_bar
e2e_write_settings "Top=-100000" "Left=-2147483648"
e2e_start_bar
expect_position "stored far off the top left" 0 0

# ------------------------------------------------------------------------------------------------
e2e_step "(f) memory row, not on top; stored values survive the start"
stop_bar
e2e_write_settings StayOnTop=0 Memory=1 MemoryScan=1 PMScan=1 PFScan=1 Scan=500
e2e_start_bar
e2e_expect_eq "window size with the memory row" "${BAR_W}x$((2 * ROW_H))" \
    "${E2E_GEOM_W}x${E2E_GEOM_H}"
expect_position "top right corner with the memory row" $((W - BAR_W)) 0
# SKIP_TASKBAR (waited for by e2e_start_bar) is sent with ABOVE, so ABOVE would be there by now.
e2e_wait_state "$BAR" _NET_WM_STATE_SKIP_PAGER
e2e_has_state "$BAR" _NET_WM_STATE_ABOVE && e2e_fail "StayOnTop=0 but _NET_WM_STATE = $E2E_STATE"
e2e_log "ok: StayOnTop=0: _NET_WM_STATE = $E2E_STATE"
sleep 1
for kv in StayOnTop=0 Memory=1 MemoryScan=1 PMScan=1 PFScan=1 Scan=500; do
    expect_setting "${kv%%=*}" "${kv#*=}"
done

e2e_pass
