#!/usr/bin/env bash
# What a screen reader gets over AT-SPI: with the accessibility bus of a session that asked for
# a screen reader, the bar's cells are labels that carry what they show (the date, the
# name-day, the time, kept current), and a side panel opened by a double click is found by its
# title.
# Usage: test_accessibility.sh PATH/TO/veskor
set -u -o pipefail
# shellcheck source=harness.sh
source "$(dirname "$0")/harness.sh"
# pyatspi lives in the system's Python, not in one a user may have put first in PATH.
PYTHON=/usr/bin/python3
for tool in dbus-daemon gdbus /usr/libexec/at-spi-bus-launcher; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool not installed" >&2; exit 77; }
done
"$PYTHON" -c 'import pyatspi' 2>/dev/null || { echo "SKIP: python3-pyatspi not installed" >&2; exit 77; }
e2e_begin "$@" --no-panel

e2e_step "a session bus whose accessibility bus has a screen reader switched on"
dbus-daemon --session --fork --print-address=3 --print-pid=4 3>"$E2E_TMP/bus.address" \
    4>"$E2E_TMP/bus.pid" || e2e_fail "dbus-daemon did not start"
E2E_PIDS+=("$(cat "$E2E_TMP/bus.pid")")
DBUS_SESSION_BUS_ADDRESS=$(cat "$E2E_TMP/bus.address")
export DBUS_SESSION_BUS_ADDRESS
# What a screen reader does when it starts; the accessibility bus is started by the call.
gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus \
    --method org.freedesktop.DBus.Properties.Set org.a11y.Status ScreenReaderEnabled '<true>' \
    >"$E2E_TMP/logs/gdbus.log" 2>&1 || e2e_fail "cannot switch the screen reader on: $(cat "$E2E_TMP/logs/gdbus.log")"
# What the bus started (the accessibility bus launcher, its registry, dconf) is stopped before
# the bus itself, which was started first and so is stopped last.
BUS_PID=$(cat "$E2E_TMP/bus.pid")
started_by_bus() {
    local child
    for child in $(pgrep -P "$1"); do
        E2E_PIDS+=("$child")
        started_by_bus "$child"
    done
}

e2e_start_bar --at "2026-12-08 10:00:00"
TREE="$E2E_TMP/logs/tree.txt"
read_tree() { "$PYTHON" "$(dirname "$0")/a11y_tree.py" veskor >"$TREE" 2>>"$E2E_TMP/logs/a11y.log"; }
tree_has() { read_tree && grep -qF -- "$1" "$TREE"; }

e2e_step "the cells are read as labels with what they show"
e2e_wait_for 20 tree_has "label 'Time: " || e2e_fail "no time label on the accessibility bus: $(cat "$TREE")"
e2e_expect "the date is read out" grep -qF "label 'Date: Tu, 8.12. 2026'" "$TREE"
e2e_expect "the name-day is read out" grep -qF "label 'Saint: Květoslava'" "$TREE"
FIRST_TIME=$(grep -o "label 'Time: [^']*'" "$TREE")
e2e_log "first read: $FIRST_TIME"
time_moved() { read_tree && ! grep -qF -- "$FIRST_TIME" "$TREE" && grep -q "label 'Time: " "$TREE"; }
e2e_wait_for 10 time_moved || e2e_fail "the time a screen reader reads stays at $FIRST_TIME"
e2e_log "later read: $(grep -o "label 'Time: [^']*'" "$TREE")"

e2e_step "a side panel opened by a double click on the date is found by its title"
e2e_pointer_to $((BAR_X + 20)) $((BAR_Y + 8))
e2e_click 1 --repeat 2 --delay 80
e2e_wait_for 10 tree_has "'Calendar'" || e2e_fail "no calendar panel on the accessibility bus: $(cat "$TREE")"
e2e_log "found: $(grep -F "'Calendar'" "$TREE" | head -1 | sed 's/^ *//')"

started_by_bus "$BUS_PID"
e2e_pass
