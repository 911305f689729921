#!/usr/bin/env bash
# Builds the optimised core and runs every benchmark program, reporting medians of repeated runs
# (this machine is small and shared, so single runs are noisy). Arguments go to each program,
# for example --benchmark_filter=UpdateDisplay.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

step "Checking packages"
ensure_packages cmake ninja-build g++ libbenchmark-dev

step "Building the benchmarks (optimised)"
cmake --preset native-release >/dev/null
cmake --build --preset native-release

for program in build/native-release/benchmarks/*_benchmark; do
    [ -x "$program" ] || continue
    step "Running $(basename "$program")"
    "$program" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"
done
