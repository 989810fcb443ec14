#!/usr/bin/env bash
# The long fuzzing campaign: every libFuzzer target of a fuzz build, RUNS executions each, with
# AddressSanitizer and UBSan (leak detection on). New inputs go to the build tree, never to the
# committed seed corpus; a crash, hang or leak leaves its input beside the log and fails the run.
# Usage: scripts/fuzz-long.sh BUILD_DIR [RUNS]
set -euo pipefail
build=${1:?usage: fuzz-long.sh BUILD_DIR [RUNS]}
runs=${2:-10000000}
root=$(cd "$(dirname "$0")/.." && pwd)
out="$build/fuzz-long"
mkdir -p "$out"

status=0
printf '%-16s %12s %10s %s\n' target executions seconds result
for binary in "$build"/fuzz/fuzz_*; do
    [ -x "$binary" ] || continue
    name=${binary##*/fuzz_}
    mkdir -p "$out/$name/found"
    log="$out/$name/log"
    start=$(date +%s)
    # -timeout: an input taking a second is a hang; -rss_limit_mb: runaway allocation.
    if "$binary" -seed=1 -runs="$runs" -timeout=1 -rss_limit_mb=2048 -detect_leaks=1 \
        -artifact_prefix="$out/$name/" "$out/$name/found" "$root/fuzz/corpus/$name" \
        >"$log" 2>&1; then
        result=ok
    else
        result="FAILED (see $log)"
        status=1
    fi
    done_line=$(grep -Eo 'Done [0-9]+ runs' "$log" | tail -1 | grep -Eo '[0-9]+' || echo 0)
    printf '%-16s %12s %10s %s\n' "$name" "$done_line" "$(($(date +%s) - start))" "$result"
done
exit $status
