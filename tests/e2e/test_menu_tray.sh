#!/usr/bin/env bash
# The popup menu, the side panels, the tray icon, always-on-top and the panel's show/hide, on the
# real bar under a window manager and a panel with a system tray; then the bar without any
# panel or tray.
# Usage: test_menu_tray.sh PATH/TO/veskor
set -u -o pipefail
# shellcheck source=harness.sh
source "$(dirname "$0")/harness.sh"
e2e_begin "$@"

readonly BAR_W=278 ROW_H=21 CAL_H=264
# The tray sits at the panel's right end; the task list, left of it, is kept out of the picture.
readonly TRAY_AREA="200x${E2E_PANEL_H}+$((E2E_PANEL_X + E2E_PANEL_W - 200))+${E2E_PANEL_Y}"

bar_height_is() { e2e_geometry "$BAR" && [ "$E2E_GEOM_W x $E2E_GEOM_H" = "$BAR_W x $1" ]; }

expect_bar_height() {
    e2e_wait_for 5 bar_height_is "$2" ||
        e2e_fail "$1: bar is ${E2E_GEOM_W}x${E2E_GEOM_H}, expected ${BAR_W}x$2"
    e2e_log "ok: $1: bar is ${BAR_W}x$2"
}

setting_is() { e2e_setting "$1" && [ "$E2E_VALUE" = "$2" ]; }

expect_setting() {
    e2e_wait_for 5 setting_is "$1" "$2" ||
        e2e_fail "setting $1: expected $2, settings file: $(cat "$E2E_SETTINGS" 2>&1)"
    e2e_log "ok: stored $1=$2"
}

# A point on the bar's date cell, away from its edges.
bar_menu() { e2e_menu_command $((BAR_X + 30)) $((BAR_Y + 10)) "$1"; }

icon_centre() { ICON_CX=$((E2E_ICON_X + E2E_ICON_W / 2)) ICON_CY=$((E2E_ICON_Y + E2E_ICON_H / 2)); }

expect_tray_icon() {
    e2e_wait_for 10 e2e_find_tray_icon veskor ||
        e2e_fail "$1: no viewable veskor window inside tint2's window tree:" \
            "$(xwininfo -id "$E2E_PANEL_WID" -tree 2>&1)"
    icon_centre
}

# The managed (top-level) windows of the bar's process; the bar itself is the only one unless a
# dialog or a second bar has appeared.
count_managed_windows() {
    local id
    MANAGED=0
    for id in $(xprop -root _NET_CLIENT_LIST | sed -n 's/^.*window id # //p' | tr -d ','); do
        [ "$(xdotool getwindowpid "$id" 2>/dev/null)" = "$VESKOR_PID" ] && MANAGED=$((MANAGED + 1))
    done
}

expect_quit_ends_bar() {
    e2e_wait_process_exit "$VESKOR_PID" 10 || e2e_fail "$1: veskor (pid $VESKOR_PID) still runs"
    e2e_expect_eq "$1: exit status" 0 "$E2E_EXIT_STATUS"
    e2e_expect "$1: pid $VESKOR_PID is gone" test ! -e "/proc/$VESKOR_PID"
    VESKOR_PID=""
}

# ------------------------------------------------------------------------------------------------
e2e_step "(a) the icon is embedded in tint2's tray"
e2e_find_tray_icon veskor && e2e_fail "a veskor icon ($E2E_ICON) in the tray before the start"
e2e_stable_screenshot tray-empty "$TRAY_AREA"
tray_empty=$E2E_SHOT

e2e_start_bar
e2e_expect_eq "bar size at the start" "${BAR_W}x${ROW_H}" "${E2E_GEOM_W}x${E2E_GEOM_H}"
expect_tray_icon "after the start"
e2e_log "ok: icon $E2E_ICON, ${E2E_ICON_W}x${E2E_ICON_H} at ($E2E_ICON_X, $E2E_ICON_Y)"
inside_panel() {
    [ "$E2E_ICON_X" -ge "$E2E_PANEL_X" ] && [ "$E2E_ICON_Y" -ge "$E2E_PANEL_Y" ] &&
        [ $((E2E_ICON_X + E2E_ICON_W)) -le $((E2E_PANEL_X + E2E_PANEL_W)) ] &&
        [ $((E2E_ICON_Y + E2E_ICON_H)) -le $((E2E_PANEL_Y + E2E_PANEL_H)) ]
}
e2e_expect "icon lies on the panel (${E2E_PANEL_W}x${E2E_PANEL_H}+${E2E_PANEL_X}+${E2E_PANEL_Y})" \
    inside_panel
e2e_stable_screenshot tray-with-icon "$TRAY_AREA"
e2e_pixels_differ "$tray_empty" "$E2E_SHOT"
[ "$E2E_DIFF" -gt 0 ] || e2e_fail "the tray area looks the same with the icon ($E2E_SHOT)"
e2e_log "ok: the icon changes $E2E_DIFF pixels of the tray area"

# Hovering shows the tip (its text is drawn, not readable from outside; its window is).
e2e_pointer_to "$ICON_CX" "$ICON_CY"
e2e_wait_for 5 e2e_windows_of_type veskor TOOLTIP || e2e_fail "no tooltip while over the tray icon"
e2e_log "ok: tooltip window ${E2E_WIDS[0]} over the icon"

# A double click on the icon has nothing to run: no menu, no window, no change of the bar.
e2e_click 1 --repeat 2 --delay 80
sleep 1 # anything the double click opened would be mapped by now
e2e_find_popups veskor && e2e_fail "a popup menu opened on a double click"
count_managed_windows
e2e_expect_eq "veskor's top-level windows after a double click on the icon" 1 "$MANAGED"
expect_bar_height "after a double click on the icon" $ROW_H

# ------------------------------------------------------------------------------------------------
e2e_step "(b) a right click on the tray icon opens the menu; Escape closes it"
e2e_open_menu "$ICON_CX" "$ICON_CY"
tray_menu_size="${E2E_MENU_W}x${E2E_MENU_H}"
e2e_log "ok: menu $E2E_MENU_WID, $tray_menu_size at ($E2E_MENU_X, $E2E_MENU_Y)"
e2e_screenshot tray-menu
xdotool key Escape
e2e_wait_for 5 e2e__not_viewable "$E2E_MENU_WID" || e2e_fail "the tray menu stays open after Escape"
e2e_log "ok: Escape closed the menu"
e2e__map_state_is "$BAR" IsViewable || e2e_fail "the bar went away with the menu: $E2E_MAP_STATE"

# ------------------------------------------------------------------------------------------------
e2e_step "(c) Always On Top, off and on again"
e2e_wait_state "$BAR" _NET_WM_STATE_ABOVE
e2e_open_menu $((BAR_X + 30)) $((BAR_Y + 10))
e2e_expect_eq "the bar's menu is the tray's menu (size)" "$tray_menu_size" \
    "${E2E_MENU_W}x${E2E_MENU_H}"
e2e_screenshot bar-menu
e2e_menu_choose "Always On Top"
e2e_wait_state_gone "$BAR" _NET_WM_STATE_ABOVE
e2e_log "ok: _NET_WM_STATE without ABOVE: $E2E_STATE"
expect_setting StayOnTop 0
# The state is changed on the mapped window; a window re-created on the way would lose the
# states sent after its map.
e2e__map_state_is "$BAR" IsViewable || e2e_fail "bar window $BAR is $E2E_MAP_STATE after the toggle"
e2e_has_state "$BAR" _NET_WM_STATE_SKIP_TASKBAR ||
    e2e_fail "SKIP_TASKBAR lost by the toggle: _NET_WM_STATE = $E2E_STATE"

bar_menu "Always On Top"
e2e_wait_state "$BAR" _NET_WM_STATE_ABOVE
e2e_log "ok: _NET_WM_STATE with ABOVE again: $E2E_STATE"
expect_setting StayOnTop 1

# ------------------------------------------------------------------------------------------------
e2e_step "(d) Memory Status shows and hides the memory row"
bar_menu "Memory Status"
expect_bar_height "memory row shown" $((2 * ROW_H))
e2e_geometry "$BAR"
e2e_expect_eq "bar's place with the memory row shown" "$BAR_X $BAR_Y" "$E2E_GEOM_X $E2E_GEOM_Y"
expect_setting Memory 1
bar_menu "Memory Status"
expect_bar_height "memory row hidden" $ROW_H
expect_setting Memory 0

# ------------------------------------------------------------------------------------------------
e2e_step "(e) Calendar opens the panel; its close button closes it"
bar_menu "Calendar"
expect_bar_height "calendar open" $((ROW_H + CAL_H))
e2e_geometry "$BAR"
e2e_expect_eq "bar's place with the calendar open" "$BAR_X $BAR_Y" "$E2E_GEOM_X $E2E_GEOM_Y"
e2e_screenshot calendar-open "${BAR_W}x$((ROW_H + CAL_H))+${BAR_X}+${BAR_Y}"
# The " x" button, about 16x16 at (3, 3) in the panel's corner: its middle.
e2e_pointer_to $((BAR_X + 3 + 8)) $((BAR_Y + ROW_H + 3 + 8))
sleep 0.2
e2e_click 1
expect_bar_height "calendar closed by its close button" $ROW_H

# ------------------------------------------------------------------------------------------------
e2e_step "(f) Windows Taskbar hides tint2's panel, and shows it again"
xprop -id "$E2E_PANEL_WID" _NET_WM_WINDOW_TYPE | grep -q '_NET_WM_WINDOW_TYPE_DOCK\b' ||
    e2e_fail "tint2's window $E2E_PANEL_WID is not a dock: $(xprop -id "$E2E_PANEL_WID" _NET_WM_WINDOW_TYPE)"
e2e_map_state "$E2E_PANEL_WID"
e2e_expect_eq "panel before the command" IsViewable "$E2E_MAP_STATE"
bar_menu "Windows Taskbar"
e2e_wait_map_state "$E2E_PANEL_WID" IsUnMapped
e2e_log "ok: panel $E2E_PANEL_WID unmapped"
e2e_screenshot taskbar-hidden
bar_menu "Windows Taskbar"
e2e_wait_map_state "$E2E_PANEL_WID" IsViewable
e2e_log "ok: panel $E2E_PANEL_WID mapped again"
kill -0 "$VESKOR_PID" 2>/dev/null || e2e_fail "veskor ended while showing the panel"

# ------------------------------------------------------------------------------------------------
e2e_step "(g) from the tray icon's menu: Windows Taskbar, Quit"
# While the panel is hidden, so is the tray inside it and the icon cannot be clicked: the tray
# menu hides the panel (showing that its items act on the bar), the bar's menu quits.
expect_tray_icon "with the panel shown again"
e2e_open_menu "$ICON_CX" "$ICON_CY"
e2e_menu_choose "Windows Taskbar"
e2e_wait_map_state "$E2E_PANEL_WID" IsUnMapped
e2e_log "ok: the tray menu's Windows Taskbar unmapped the panel"
bar_menu "Quit"
expect_quit_ends_bar "Quit with the panel hidden"
e2e_wait_map_state "$E2E_PANEL_WID" IsViewable
e2e_log "ok: the panel is mapped again after Quit"

# Quit from the tray menu, in a new run.
e2e_start_bar
expect_tray_icon "after the restart"
e2e_open_menu "$ICON_CX" "$ICON_CY"
e2e_menu_choose "Quit"
expect_quit_ends_bar "Quit from the tray menu"
no_tray_icon() { ! e2e_find_tray_icon veskor; }
e2e_wait_for 5 no_tray_icon ||
    e2e_fail "the icon $E2E_ICON is still in the tray after Quit"
e2e_log "ok: the icon left the tray"
e2e_map_state "$E2E_PANEL_WID"
e2e_expect_eq "panel after Quit from the tray" IsViewable "$E2E_MAP_STATE"

# ------------------------------------------------------------------------------------------------
e2e_step "(g2) ended by SIGTERM with the panel hidden: the panel comes back"
e2e_start_bar
bar_menu "Windows Taskbar"
e2e_wait_map_state "$E2E_PANEL_WID" IsUnMapped
kill -TERM "$VESKOR_PID"
expect_quit_ends_bar "SIGTERM with the panel hidden"
e2e_wait_map_state "$E2E_PANEL_WID" IsViewable
e2e_log "ok: the panel is mapped again after SIGTERM"

# ------------------------------------------------------------------------------------------------
e2e_step "(h) no panel and no tray: the bar and its menu still work"
e2e_stop_panel
e2e_start_bar
e2e_expect_eq "bar size without a panel" "${BAR_W}x${ROW_H}" "${E2E_GEOM_W}x${E2E_GEOM_H}"
bar_menu "Memory Status"
expect_bar_height "memory row shown without a panel" $((2 * ROW_H))
# Nothing to hide: the command must do no harm.
bar_menu "Windows Taskbar"
sleep 0.5
kill -0 "$VESKOR_PID" 2>/dev/null || e2e_fail "veskor ended on Windows Taskbar without a panel"
bar_menu "Calendar"
expect_bar_height "calendar open without a panel" $((2 * ROW_H + CAL_H))
bar_menu "Quit"
expect_quit_ends_bar "Quit without a panel"

e2e_pass
