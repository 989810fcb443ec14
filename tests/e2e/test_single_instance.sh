#!/usr/bin/env bash
# One bar at a time: a second start ends at once with status 0 and without a window while the
# first runs on; a copy of the program under another name runs beside it; once the first is
# killed outright, a new start runs; where the lock cannot be had safely, a copy runs and says so.
# Usage: test_single_instance.sh PATH/TO/veskor
set -u -o pipefail
# shellcheck source=harness.sh
source "$(dirname "$0")/harness.sh"
e2e_begin "$@" --no-panel

# Every window made or mapped on the screen is logged by xev; a root property set by the test
# marks a point in that log once the X server and xev have passed it.
XEV_LOG="$E2E_TMP/logs/xev.log"
e2e_spawn xev stdbuf -oL xev -root -event substructure -event property

marks_logged() { grep -c '(_VESKOR_TEST_MARK)' "$XEV_LOG"; }
mark_passed() {
    xprop -root -f _VESKOR_TEST_MARK 32c -set _VESKOR_TEST_MARK "$SECONDS"
    [ "$(marks_logged)" -gt "$1" ]
}
# mark: the log's length at a point after everything the X server did before it, in MARK_LINE.
mark() {
    e2e_wait_for 5 mark_passed "$(marks_logged)" || e2e_fail "xev logs no root property change"
    MARK_LINE=$(wc -l <"$XEV_LOG")
}

e2e_step "the first copy runs"
e2e_start_veskor
FIRST=$VESKOR_PID
e2e_wait_window veskor 30 "$FIRST"
FIRST_WID=$E2E_WID

e2e_step "a second copy ends at once, silently, without a window"
mark
"$VESKOR" --data-dir "$E2E_DATA" >"$E2E_TMP/logs/second.log" 2>&1 &
SECOND=$!
E2E_PIDS+=("$SECOND")
e2e_wait_process_exit "$SECOND" 1 || e2e_fail "the second copy still runs after a second"
e2e_expect_eq "second copy's exit status" 0 "$E2E_EXIT_STATUS"
e2e_expect_eq "second copy's output" "" "$(cat "$E2E_TMP/logs/second.log")"
BEFORE=$MARK_LINE
mark
MADE=$(sed -n "$((BEFORE + 1)),${MARK_LINE}p" "$XEV_LOG" | grep -cE '^(CreateNotify|MapNotify)')
e2e_expect_eq "windows made while the second copy ran" 0 "$MADE"
e2e_map_state "$FIRST_WID"
e2e_expect_eq "the first copy's window" IsViewable "$E2E_MAP_STATE"
e2e_expect "the first copy still runs" kill -0 "$FIRST"

e2e_step "a copy under another name runs beside it"
cp "$VESKOR" "$E2E_TMP/veskor-copy"
e2e_spawn veskor-copy "$E2E_TMP/veskor-copy" --data-dir "$E2E_DATA"
COPY=$E2E_LAST_PID
e2e_wait_window veskor-copy 30 "$COPY"
e2e_stop_pid "$COPY"

e2e_step "after the first copy is killed outright, a new start runs"
kill -KILL "$FIRST"
e2e_wait_process_exit "$FIRST" 10 || e2e_fail "the first copy outlived kill -9"
VESKOR_PID=""
e2e_start_veskor
e2e_wait_window veskor 30 "$VESKOR_PID"
e2e_log "ok: the new copy (pid $VESKOR_PID) shows its window"

e2e_step "with the lock folder open to everyone, a copy runs anyway and says so once"
mkdir -m 1777 "$E2E_TMP/shared"
VESKOR_LOCK_DIR="$E2E_TMP/shared" e2e_spawn unlocked "$VESKOR" --data-dir "$E2E_DATA"
e2e_wait_window veskor 30 "$E2E_LAST_PID"
e2e_expect_eq "what it said" \
    "veskor: cannot tell whether the bar already runs: other users can write to $E2E_TMP/shared" \
    "$(grep '^veskor:' "$E2E_TMP/logs/unlocked.log")"

e2e_pass
