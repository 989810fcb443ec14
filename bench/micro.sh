#!/usr/bin/env bash
# One tick of the bar and one step of the memory scope, in microseconds, from an optimised
# build made for it (preset "bench": Release, no sanitizers). Prints Google Benchmark's table;
# asserts nothing.
# Usage: bench/micro.sh          JOBS=2 (build jobs)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
cmake --preset bench >/dev/null
cmake --build --preset bench -j"${JOBS:-2}" --target bar_tick_benchmark scope_step_benchmark \
    >/dev/null
for benchmark in build/benchmarks/bench/micro/bar_tick_benchmark \
    build/benchmarks/bench/micro/scope_step_benchmark; do
    QT_QPA_PLATFORM=offscreen "$benchmark" --benchmark_time_unit=us
done
