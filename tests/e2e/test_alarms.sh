#!/usr/bin/env bash
# An alarm fires on the real bar: started a few seconds before an event's minute with --at, the
# bar opens the message window over everything, scrolls the message, and OK closes it.
# Usage: test_alarms.sh PATH/TO/veskor
set -u -o pipefail
# shellcheck source=harness.sh
source "$(dirname "$0")/harness.sh"
e2e_begin "$@"

printf '10:01\r\nStand-up meeting\r\n1\r\n-1\r\n' >"$E2E_DATA/Veskor32.aev"

alarm_window() {
    local id
    for id in $(xdotool search --onlyvisible --name '^Alarm event - \[10:01\]$' 2>/dev/null); do
        ALARM=$id
        return 0
    done
    return 1
}
no_alarm_window() { ! alarm_window; }

# area_changes NAME CROP SECONDS: two pictures of a screen area that many seconds apart differ
# (in E2E_DIFF pixels); the second is in E2E_SHOT.
area_changes() {
    local first
    e2e_screenshot "$1-1" "$2"
    first=$E2E_SHOT
    sleep "$3"
    e2e_screenshot "$1-2" "$2"
    e2e_pixels_differ "$first" "$E2E_SHOT"
    [ "$E2E_DIFF" -gt 0 ]
}

# ------------------------------------------------------------------------------------------------
e2e_step "(a) the event's minute comes: the message window opens above the bar"
e2e_start_bar --at "2026-12-08 10:00:56"
alarm_window && e2e_fail "an alarm window before the event's minute"
e2e_wait_for 20 alarm_window || e2e_fail "no 'Alarm event - [10:01]' window after 10:01:00"
e2e_log "ok: window $ALARM 'Alarm event - [10:01]'"
e2e_wait_state "$ALARM" _NET_WM_STATE_ABOVE
e2e_geometry "$ALARM"
e2e_expect_eq "message window's size" "331x101" "${E2E_GEOM_W}x${E2E_GEOM_H}"
AX=$E2E_GEOM_X AY=$E2E_GEOM_Y

# The LED band moves: two pictures of it a moment apart differ, and it shows lime dots.
area_changes led "331x58+${AX}+${AY}" 0.4 || e2e_fail "the LED band stands still ($E2E_SHOT)"
e2e_log "ok: the LED band scrolls ($E2E_DIFF pixels changed in 0.4 s)"
lime=$(convert "$E2E_SHOT" -fx 'g>0.8 && r<0.3 && b<0.3 ? 1 : 0' -format '%[fx:mean*w*h]' info:)
[ "${lime%.*}" -gt 20 ] || e2e_fail "no lime dots in the LED band ($E2E_SHOT)"
e2e_screenshot alarm

# The bar's clock runs on while the window is open: its time cell changes.
area_changes time "67x17+$((BAR_X + 209))+$((BAR_Y + 2))" 1.2 ||
    e2e_fail "the bar's clock stopped while the alarm is open"
e2e_log "ok: the bar's clock runs on"

# ------------------------------------------------------------------------------------------------
e2e_step "(b) OK closes the window; the bar stays"
e2e_pointer_to $((AX + 254 + 37)) $((AY + 67 + 13))
sleep 0.2
e2e_click 1
e2e_wait_for 5 no_alarm_window || e2e_fail "the alarm window stays after OK"
e2e_log "ok: OK closed the alarm window"
kill -0 "$VESKOR_PID" 2>/dev/null || e2e_fail "veskor ended with the alarm window"
e2e__map_state_is "$BAR" IsViewable || e2e_fail "the bar is $E2E_MAP_STATE after the alarm"

e2e_pass
