#!/usr/bin/env bash
# "Shutdown" with a system bus that hangs just after the bar checked it: the toolkit's D-Bus
# thread then waits for ever. The bar says so in a message box, its clock runs on meanwhile, and
# SIGTERM still ends it.
# Usage: test_session.sh PATH/TO/veskor
set -u -o pipefail
# shellcheck source=harness.sh
source "$(dirname "$0")/harness.sh"
e2e_begin "$@" --no-panel

e2e_step "a system bus that answers one greeting, then nothing"
BUS="$E2E_TMP/run/system_bus"
e2e_spawn silent-bus /usr/bin/python3 "$E2E_HERE/silent_bus.py" "$BUS" --greet-first
e2e_wait_for 20 grep -q ready "$E2E_TMP/logs/silent-bus.log" || e2e_fail "the bus did not start"
export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$BUS"

e2e_step "Shutdown ends in a message box, not a frozen bar"
e2e_start_bar
ROW="${E2E_GEOM_W}x${E2E_GEOM_H}+$BAR_X+$BAR_Y"
e2e_menu_command $((BAR_X + 30)) $((BAR_Y + 10)) "Shutdown"
e2e_wait_for 60 e2e_windows_of_type veskor DIALOG || e2e_fail "no message box after Shutdown"
BOX=${E2E_WIDS[0]}
e2e_expect_eq "the box's title" '"Veskor Pro"' \
    "$(xprop -id "$BOX" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = //p')"

e2e_step "the clock runs on while the box is up"
# The box opens over the bar; moved aside, the bar's row shows.
box_aside() { e2e_geometry "$BOX" && [ "$E2E_GEOM_Y" -ge $((BAR_Y + 100)) ]; }
xdotool windowmove "$BOX" 0 $((E2E_SCREEN_H / 2))
e2e_wait_for 10 box_aside || e2e_fail "the box did not move aside"
e2e_stable_screenshot clock-before "$ROW" 10
BEFORE=$E2E_SHOT
clock_moved() {
    e2e_screenshot clock-after "$ROW"
    e2e_pixels_differ "$BEFORE" "$E2E_SHOT"
    [ "$E2E_DIFF" -gt 0 ]
}
e2e_wait_for 10 clock_moved || e2e_fail "the bar's row did not change in 10 s ($E2E_SHOT)"
e2e_log "ok: the row changed ($E2E_DIFF pixels)"

e2e_step "SIGTERM ends the bar while the toolkit still waits for the bus"
kill -TERM "$VESKOR_PID"
e2e_wait_process_exit "$VESKOR_PID" 30 || e2e_fail "the bar still runs 30 s after SIGTERM"
e2e_expect_eq "exit status" 0 "$E2E_EXIT_STATUS"
VESKOR_PID=""

e2e_pass
