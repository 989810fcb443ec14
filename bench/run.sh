#!/usr/bin/env bash
# Compares the bar with two small always-running X11 peers (conky, xclock) on a private X
# server with a window manager and a panel: time from launch to the first mapped window,
# memory after it settled, and processor time while idle. Prints a table; asserts nothing.
#
# Usage: bench/run.sh [PATH/TO/veskor]      (default: build/release/src/app/veskor)
#   RUNS=7             launches per program for the start time (interleaved), median shown
#   SETTLE_SECONDS=10  running time before memory is read
#   IDLE_SECONDS=60    idle window for the processor time (e.g. IDLE_SECONDS=10 for a quick try)
#   BENCH_BUILD=DIR    where mapwait is built (default: build/bench)
set -u -o pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
RUNS=${RUNS:-7}
SETTLE_SECONDS=${SETTLE_SECONDS:-10}
IDLE_SECONDS=${IDLE_SECONDS:-60}
BENCH_BUILD=${BENCH_BUILD:-$root/build/bench}
veskor=$(realpath -m "${1:-${VESKOR:-$root/build/release/src/app/veskor}}")

[ -x "$veskor" ] || { echo "bench: no veskor binary at $veskor (make it, or pass its path)" >&2; exit 2; }
for tool in conky xclock cmake cc; do
    command -v "$tool" >/dev/null || {
        echo "bench: $tool not installed (scripts/install-deps.sh bench)" >&2
        exit 2
    }
done

mkdir -p "$BENCH_BUILD"
if ! { cmake -S "$here" -B "$BENCH_BUILD" -DCMAKE_BUILD_TYPE=Release &&
    cmake --build "$BENCH_BUILD"; } >"$BENCH_BUILD/build.log" 2>&1; then
    echo "bench: building mapwait failed, see $BENCH_BUILD/build.log" >&2
    exit 2
fi
mapwait=$BENCH_BUILD/mapwait

# shellcheck source=../tests/e2e/harness.sh
source "$root/tests/e2e/harness.sh"
E2E_TIMEOUT=$((120 + 3 * (SETTLE_SECONDS + IDLE_SECONDS) + RUNS * 3 * 15))
e2e_begin "$veskor"
# The bar is measured with its memory row on, the row that costs a refresh every second.
e2e_write_settings Memory=1

programs=(veskor conky xclock)
veskor_args=()
declare -A label=([veskor]="veskor, idle bar" [conky]="conky" [xclock]="xclock -update 1"
    [qtfloor]="Qt floor (3 labels)")
declare -A class=([veskor]=veskor [conky]=Conky [xclock]=XClock [qtfloor]=qtfloor)
command_of() {
    case $1 in
        veskor) cmd=("$veskor" --data-dir "$E2E_DATA" "${veskor_args[@]}") ;;
        conky) cmd=(conky -c "$here/conky.conf") ;;
        xclock) cmd=(xclock -update 1) ;;
        qtfloor) cmd=("$BENCH_BUILD/qtfloor") ;;
    esac
}

# --- launch to map ------------------------------------------------------------------------------
e2e_step "launch to map: $RUNS runs of each, interleaved"
declare -A times
# The Qt floor joins the start-time runs only: running beside the bar it would share the
# toolkit's pages and so lower the bar's proportional memory.
for ((run = 1; run <= RUNS; run++)); do
    for p in "${programs[@]}" qtfloor; do
        command_of "$p"
        ms=$("$mapwait" --class "${class[$p]}" --timeout 30 -- "${cmd[@]}" 2>>"$E2E_TMP/logs/$p.log") ||
            e2e_fail "$p did not map a window (see $E2E_TMP/logs/$p.log)"
        times[$p]+="$ms "
        sleep 0.3 # let the previous program's exit settle before the next start
    done
done
for p in "${programs[@]}" qtfloor; do e2e_log "$p: ${times[$p]}ms"; done

median() { tr ' ' '\n' | awk 'NF' | sort -g | awk '{v[NR] = $1} END {
    if (NR % 2) print v[(NR + 1) / 2]; else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# --- memory and idle processor time -------------------------------------------------------------
# Rounds, one after the other (one bar runs at a time): the idle bar beside the two peers, then
# the bar with an alarm's window open, then with the scope running. Each round starts its
# programs, lets them settle, reads their memory and measures their processor time while idle.
kib() { awk -v k="$2:" '$1 == k {print $2}' "/proc/$1/smaps_rollup"; }
cpu_ticks() { sed 's/.*) //' "/proc/$1/stat" | awk '{print $12 + $13}'; } # utime + stime
# The same in nanoseconds, summed over the threads: clock ticks are too coarse for an idle minute.
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {printf "%.0f", s}'; }
hz=$(getconf CLK_TCK)
rows=()

# measure_round PROGRAM...: one line per program (label, RSS, PSS, CPU %, CPU ms) in rows.
measure_round() {
    local p ticks ns t0 t1
    local -A pid rss pss ticks0 ns0
    for p in "$@"; do
        command_of "$p"
        read -r _ "pid[$p]" < <("$mapwait" --keep --class "${class[$p]}" -- "${cmd[@]}" \
            2>>"$E2E_TMP/logs/$p.log") || e2e_fail "$p did not start (see $E2E_TMP/logs/$p.log)"
        [ -n "${pid[$p]}" ] || e2e_fail "$p did not start (see $E2E_TMP/logs/$p.log)"
        E2E_PIDS+=("${pid[$p]}") # stopped with the session at the latest
    done
    sleep "$SETTLE_SECONDS"
    [ -z "${round_check:-}" ] || "$round_check" "${pid[veskor]}"
    for p in "$@"; do
        kill -0 "${pid[$p]}" 2>/dev/null || e2e_fail "$p (pid ${pid[$p]}) ended while settling"
        rss[$p]=$(kib "${pid[$p]}" Rss)
        pss[$p]=$(kib "${pid[$p]}" Pss)
        ticks0[$p]=$(cpu_ticks "${pid[$p]}")
        ns0[$p]=$(cpu_ns "${pid[$p]}")
    done
    t0=${EPOCHREALTIME//[!0-9]/}
    sleep "$IDLE_SECONDS"
    t1=${EPOCHREALTIME//[!0-9]/}
    for p in "$@"; do
        kill -0 "${pid[$p]}" 2>/dev/null || e2e_fail "$p (pid ${pid[$p]}) ended while idle"
        ticks=$(($(cpu_ticks "${pid[$p]}") - ticks0[$p]))
        ns=$(($(cpu_ns "${pid[$p]}") - ns0[$p]))
        rows+=("$(awk -v name="${round_label:-${label[$p]}}" -v ms="$(median <<<"${times[$p]}")" \
            -v rss="${rss[$p]}" -v pss="${pss[$p]}" -v ticks="$ticks" -v hz="$hz" \
            -v us=$((t1 - t0)) -v ns="$ns" 'BEGIN {
            printf "%-24s %15.1f %8.1f %8.1f %15.3f %13.1f", name, ms, rss / 1024, pss / 1024,
                100 * ticks / hz / (us / 1e6), ns / 1e6 }')")
        e2e_log "${rows[-1]}"
    done
    for p in "$@"; do e2e_stop_pid "${pid[$p]}"; done
}

bar_geometry_logged() {
    e2e_wait_window veskor 5 "$1"
    e2e_geometry "$E2E_WID"
    e2e_log "bar window ${E2E_GEOM_W}x${E2E_GEOM_H} (memory row shown: height 42)"
}

# The alarm round measures nothing unless the alarm's window is on screen.
alarm_window_open() {
    e2e_wait_for 5 xdotool search --all --onlyvisible --pid "$1" --name '^Alarm event - \[10:00\]$' \
        >/dev/null || e2e_fail "the bench alarm's window did not open"
}

e2e_step "memory after ${SETTLE_SECONDS}s, processor time over ${IDLE_SECONDS}s idle: the idle bar"
e2e_write_settings Memory=1
round_label="" round_check=bar_geometry_logged measure_round "${programs[@]}"
e2e_step "the same with an alarm's window open"
# A silent event three seconds after the bar's clock starts; its LED ticker scrolls meanwhile.
printf '10:00\r\nThe bench alarm: the LED ticker scrolls\r\n1\r\n-1\r\n' >"$E2E_DATA/Veskor32.aev"
veskor_args=(--at "2026-12-08 09:59:57")
round_label="veskor, alarm open" round_check=alarm_window_open measure_round veskor
rm -f "$E2E_DATA/Veskor32.aev"
veskor_args=()
e2e_step "the same with the scope running"
e2e_write_settings Memory=1 MemoryScan=1 PMScan=1 PFScan=1 Scan=1000
round_label="veskor, scope running" round_check="" measure_round veskor

# --- table --------------------------------------------------------------------------------------
printf '\n%-24s %15s %8s %8s %15s %13s\n' program "start ms (med)" "RSS MiB" "PSS MiB" \
    "CPU % (1 core)" "CPU ms (sched)"
printf '%s\n' "${rows[@]}"
awk -v name="${label[qtfloor]}" -v ms="$(median <<<"${times[qtfloor]}")" \
    'BEGIN { printf "%-24s %15.1f %8s %8s %15s %13s\n", name, ms, "-", "-", "-", "-" }'
printf '(%d launches each; memory after %ss; CPU %% = utime+stime over %ss idle at %s ticks/s;\n' \
    "$RUNS" "$SETTLE_SECONDS" "$IDLE_SECONDS" "$hz"
printf ' CPU ms = time on a processor in that window, all threads, from schedstat;\n'
printf ' veskor: the memory row on; the idle bar beside the peers, then on its own with an\n'
printf ' alarm window open, then with the scope running both traces every second)\n'
e2e_pass >/dev/null
