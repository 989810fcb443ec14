#!/usr/bin/env bash
# The long fuzzing campaign: every libFuzzer target of a fuzz build, RUNS executions each, with
# AddressSanitizer and UBSan (leak detection on). New inputs go to the build tree, never to the
# committed seed corpus; a crash, hang or leak leaves its input beside the log and fails the run.
# Usage: scripts/fuzz-long.sh BUILD_DIR [RUNS [TARGET...]]   (no TARGET: every target)
# Scratch files (the settings target writes one per run) go to TMPDIR, /dev/shm when it exists.
set -euo pipefail
build=${1:?usage: fuzz-long.sh BUILD_DIR [RUNS [TARGET...]]}
runs=${2:-10000000}
shift $(($# < 2 ? $# : 2))
if [ -z "${TMPDIR:-}" ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
root=$(cd "$(dirname "$0")/.." && pwd)
out="$build/fuzz-long"
mkdir -p "$out"

status=0
printf '%-16s %12s %10s %s\n' target executions seconds result
if [ $# -gt 0 ]; then
    binaries=()
    for target in "$@"; do binaries+=("$build/fuzz/fuzz_$target"); done
else
    binaries=()
    for binary in "$build"/fuzz/fuzz_*; do
        # The build's own folders (fuzz_*_autogen) share the prefix.
        [ -f "$binary" ] && binaries+=("$binary")
    done
fi
for binary in "${binaries[@]}"; do
    [ -f "$binary" ] && [ -x "$binary" ] || { echo "fuzz-long: no target $binary" >&2; exit 2; }
    name=${binary##*/fuzz_}
    mkdir -p "$out/$name/found"
    log="$out/$name/log"
    start=$(date +%s)
    # -timeout: an input taking this long is a hang. Ten seconds, not one: the clock is the wall's,
    # and on a machine busy with other work a run may wait that long for a processor.
    # -rss_limit_mb: runaway allocation.
    if "$binary" -seed=1 -runs="$runs" -timeout="${FUZZ_TIMEOUT:-10}" -rss_limit_mb=2048 -detect_leaks=1 \
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
