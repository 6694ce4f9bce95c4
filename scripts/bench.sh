#!/usr/bin/env bash
# Builds and runs the benchmarks (Release build, medians of 5 repetitions); extra arguments go to the
# benchmark binaries. Then measures a whole `qeltool resave` of the 100,000-line program: wall time
# and peak memory of the process, five runs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQEL_TESTS=OFF -DQEL_BENCH=ON >/dev/null
cmake --build build/bench -j "$(nproc)"
build/bench/bench/qel_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"
build/bench/bench/qel_form_bench "$@"

big=$(mktemp --suffix=.qel)
copy=$(mktemp --suffix=.qel)
trap 'rm -f "$big" "$copy"' EXIT
build/bench/bench/make_program_file "$big" 100000
echo "qeltool resave of a 100,000-line program ($(stat -c %s "$big") bytes): seconds, peak KB"
for _ in 1 2 3 4 5; do
  /usr/bin/time -f "%e %M" build/bench/app/qeltool resave "$big" "$copy" >/dev/null
done
cmp -s "$big" "$copy" && echo "written back byte for byte"

echo "A learner's loops beside Lua 5.4 and CPython (fastest of 7 runs):"
bench/compare_languages.sh build/bench
bench/compare_csv.sh build/bench

lines=$(mktemp -d)
trap 'rm -rf "$big" "$copy" "$lines"' EXIT
build/bench/bench/make_loop_programs "$lines" 10 >/dev/null
echo "qeltool run of 100,000 DrawLine lines of length 100 (whole process, 5 runs): seconds"
for _ in 1 2 3 4 5; do
  /usr/bin/time -f "%e" build/bench/app/qeltool run "$lines/lines.qel" >/dev/null
done
