#!/usr/bin/env bash
# An alarm fires on the real bar while a person types in an editor: started a few seconds before
# an event's minute with --at, the bar opens the message window over everything without taking
# the keyboard, beeps twice a second through the sound server, scrolls its LED band (on again
# after a minimise), and stops once the person gives the window the focus and presses Escape.
# Usage: test_alarms.sh PATH/TO/veskor
set -u -o pipefail
# shellcheck source=harness.sh
source "$(dirname "$0")/harness.sh"
e2e_begin "$@"
e2e_start_sound

printf '10:01\r\nStand-up meeting\r\n1\r\n0\r\n' >"$E2E_DATA/Veskor32.aev"

alarm_window() {
    local id
    for id in $(xdotool search --onlyvisible --name '^Alarm event - \[10:01\]$' 2>/dev/null); do
        ALARM=$id
        return 0
    done
    return 1
}
no_alarm_window() { ! alarm_window; }

active_is() {
    [ "$(xprop -root _NET_ACTIVE_WINDOW 2>/dev/null | sed -n 's/^.*window id # //p')" = \
        "$(printf '0x%x' "$1")" ]
}

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

# band_scrolls NAME: the alarm window's LED band moves, and shows lime dots.
band_scrolls() {
    local lime
    area_changes "$1" "331x58+${AX}+${AY}" 0.4 || e2e_fail "the LED band stands still ($E2E_SHOT)"
    lime=$(convert "$E2E_SHOT" -fx 'g>0.8 && r<0.3 && b<0.3 ? 1 : 0' -format '%[fx:mean*w*h]' info:)
    [ "${lime%.*}" -gt 20 ] || e2e_fail "no lime dots in the LED band ($E2E_SHOT)"
}

# beeps NAME SECONDS [SKIP]: records the sound server's output and counts its beeps; the
# analysis is in BEEPS, its fields in BEEP_SECONDS (whole seconds analysed), BEEP_COUNT,
# BEEP_PAIRS and BEEP_HZ.
beeps() {
    e2e_record_sound "$1" "$2"
    BEEPS=$(/usr/bin/python3 "$E2E_HERE/beeps.py" "$E2E_RECORDING" "${3:-0}") ||
        e2e_fail "cannot analyse $E2E_RECORDING"
    read -r BEEP_SECONDS BEEP_COUNT BEEP_PAIRS BEEP_HZ _ <<<"${BEEPS//[a-z=]/}"
}

# ------------------------------------------------------------------------------------------------
e2e_step "(a) a person types in an editor when the event's minute comes"
printf 'before\n' >"$E2E_TMP/notes.txt"
e2e_spawn xedit xedit "$E2E_TMP/notes.txt"
e2e_wait_window xedit 10
EDITOR_WID=$E2E_WID
e2e_start_bar --at "2026-12-08 10:00:50"
# The editor has the keyboard: a click below its text puts the cursor at the end.
e2e_geometry "$EDITOR_WID"
e2e_pointer_to $((E2E_GEOM_X + E2E_GEOM_W / 2)) $((E2E_GEOM_Y + E2E_GEOM_H - 20))
e2e_click 1
e2e_wait_for 5 active_is "$EDITOR_WID" || e2e_fail "the editor did not get the focus"
alarm_window && e2e_fail "an alarm window before the editor had the focus (the bar started late)"
e2e_wait_for 20 alarm_window || e2e_fail "no 'Alarm event - [10:01]' window after 10:01:00"
e2e_log "ok: window $ALARM 'Alarm event - [10:01]'"
e2e_wait_state "$ALARM" _NET_WM_STATE_ABOVE
e2e_geometry "$ALARM"
e2e_expect_eq "message window's size" "331x101" "${E2E_GEOM_W}x${E2E_GEOM_H}"
AX=$E2E_GEOM_X AY=$E2E_GEOM_Y
stacking=" $(xprop -root _NET_CLIENT_LIST_STACKING | sed -n 's/^.*window id # //p' | tr -d ,) "
stacking=${stacking##*"$(printf '0x%x' "$EDITOR_WID")"}
[[ $stacking == *" $(printf '0x%x' "$ALARM") "* ]] || e2e_fail "the alarm window is below the editor"
e2e_expect "the editor keeps the focus" active_is "$EDITOR_WID"

# The typing goes on, Return included, and lands in the editor: the alarm stays.
xdotool type --delay 40 $'typed on\nwhile it rang\n'
xdotool key --delay 100 ctrl+x ctrl+s
e2e_wait_for 5 grep -q 'while it rang' "$E2E_TMP/notes.txt" ||
    e2e_fail "the editor did not get the typing: $(cat "$E2E_TMP/notes.txt")"
e2e_expect_eq "the editor's text" "$(printf 'before\ntyped on\nwhile it rang')" \
    "$(cat "$E2E_TMP/notes.txt")"
e2e_expect "the alarm window is still open" alarm_window
e2e_expect "the editor still has the focus" active_is "$EDITOR_WID"

# ------------------------------------------------------------------------------------------------
e2e_step "(b) it scrolls and beeps twice a second through the sound server"
band_scrolls led
e2e_log "ok: the LED band scrolls ($E2E_DIFF pixels changed in 0.4 s)"
e2e_screenshot alarm

beeps ringing 4
e2e_log "recorded while open: $BEEPS"
# Two beeps a tick, a tick a second; a loaded machine may delay a tick, never add one.
if [ "$BEEP_COUNT" -lt "$BEEP_SECONDS" ] || [ "$BEEP_COUNT" -gt $((BEEP_SECONDS * 2 + 2)) ]; then
    e2e_fail "expected about $((BEEP_SECONDS * 2)) beeps in $BEEP_SECONDS s, heard $BEEP_COUNT"
fi
[ "$BEEP_PAIRS" -ge 2 ] || e2e_fail "the beeps do not come two at a time: $BEEPS"
if [ "$BEEP_HZ" -lt 800 ] || [ "$BEEP_HZ" -gt 960 ]; then
    e2e_fail "the tone is $BEEP_HZ Hz, not 880"
fi
e2e_log "ok: $BEEP_COUNT beeps in pairs, at $BEEP_HZ Hz"

area_changes time "67x17+$((BAR_X + 209))+$((BAR_Y + 2))" 1.2 ||
    e2e_fail "the bar's clock stopped while the alarm is open"
e2e_log "ok: the bar's clock runs on"

# ------------------------------------------------------------------------------------------------
e2e_step "(c) a click gives the alarm the keyboard; Escape closes it and the beeping stops"
e2e_pointer_to $((AX + 160)) $((AY + 30))
e2e_click 1
e2e_wait_for 5 active_is "$ALARM" || e2e_fail "a click did not give the alarm window the focus"
e2e_log "ok: the click gave the alarm window the focus"
e2e_expect "the click left the alarm open" alarm_window
# Minimised and restored, the band is drawn again and scrolls on.
xdotool windowminimize "$ALARM"
e2e_wait_map_state "$ALARM" IsUnMapped
xdotool windowmap "$ALARM"
e2e_wait_map_state "$ALARM" IsViewable
band_scrolls led-restored
e2e_log "ok: minimised and restored, the LED band scrolls on"
e2e_click 1
e2e_wait_for 5 active_is "$ALARM" || e2e_fail "a click did not give the restored alarm the focus"
xdotool key Escape
e2e_wait_for 5 no_alarm_window || e2e_fail "the alarm window stays after Escape"
e2e_log "ok: Escape closed the alarm window"
kill -0 "$VESKOR_PID" 2>/dev/null || e2e_fail "veskor ended with the alarm window"
e2e__map_state_is "$BAR" IsViewable || e2e_fail "the bar is $E2E_MAP_STATE after the alarm"

# A beep asked for just before the close may still be under way: the first half second is not
# counted.
beeps after 3 0.5
e2e_log "recorded after closing: $BEEPS"
e2e_expect_eq "beeps after closing" 0 "$BEEP_COUNT"
grep -q 'sound server' "$E2E_TMP/logs/veskor.log" &&
    e2e_fail "veskor did not reach the sound server: $(grep 'sound server' "$E2E_TMP/logs/veskor.log")"

# ------------------------------------------------------------------------------------------------
e2e_step "(d) the settings window cannot be minimised away while the bar waits for it"
settings_window() {
    local id
    for id in $(xdotool search --onlyvisible --name '^Alarm Settings$' 2>/dev/null); do
        SETTINGS=$id
        return 0
    done
    return 1
}
before=$(sha256sum <"$E2E_DATA/Veskor32.aev")
e2e_pointer_to $((BAR_X + 240)) $((BAR_Y + 10))
xdotool click --repeat 2 --delay 80 1
e2e_wait_for 10 settings_window || e2e_fail "no 'Alarm Settings' after a double click on the time"
# The window's own events tell that it went and came back, however fast that happens.
events=$E2E_TMP/settings-events
xev -id "$SETTINGS" -event structure >"$events" 2>&1 &
E2E_PIDS+=($!)
listening() { grep -q ConfigureNotify "$events"; }
e2e_wait_for 10 eval 'xdotool windowmove "$SETTINGS" 100 100; listening' ||
    e2e_fail "xev does not see the settings window"
xdotool windowminimize "$SETTINGS"
came_back() { grep -A100 '^UnmapNotify' "$events" | grep -q '^MapNotify'; }
e2e_wait_for 10 came_back || e2e_fail "the minimised settings window stays away: $(cat "$events")"
e2e_wait_map_state "$SETTINGS" IsViewable
e2e_log "ok: the minimised settings window came back"
xdotool windowactivate --sync "$SETTINGS" key Escape
e2e_wait_for 5 e2e__not_viewable "$SETTINGS" || e2e_fail "Escape did not close the settings"
e2e_expect_eq "the alarm file after closing without an edit" "$before" \
    "$(sha256sum <"$E2E_DATA/Veskor32.aev")"

e2e_pass
