#!/usr/bin/env bash
# Builds and runs the benchmarks (Release build); extra arguments go to the benchmark binary.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQEL_TESTS=OFF -DQEL_BENCH=ON >/dev/null
cmake --build build/bench -j "$(nproc)"
exec build/bench/bench/qel_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"
