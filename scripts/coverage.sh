#!/usr/bin/env bash
# Measures line coverage of the libraries (every layer but environment/ and app/, which the screen
# tests drive) with clang's source-based coverage: builds build/coverage, runs the test suite but for
# the source checks and the fuzz runs, and prints each library's covered lines and share.
# Usage: scripts/coverage.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/coverage}
jobs=$(nproc)

cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
  -DQEL_COVERAGE=ON >/dev/null
cmake --build "$build" -j "$jobs"

profiles="$PWD/$build/profiles"
rm -rf "$profiles"
mkdir -p "$profiles"
QT_QPA_PLATFORM=offscreen LLVM_PROFILE_FILE="$profiles/%p-%m.profraw" \
  ctest --test-dir "$build" -j "$jobs" --timeout 600 \
  -E '^(sources_|texts_have_one_home|tests_stay_a_third|fuzz_)' >"$build/ctest.log" 2>&1 ||
  { grep -A20 'tests failed out of' "$build/ctest.log"; echo "(coverage counts what the tests that ran reached)"; }
# A process the tests kill on purpose leaves a torn profile; the merge passes over it.
llvm-profdata merge -sparse -failure-mode=all -o "$build/all.profdata" "$profiles"/*.profraw

# Every test executable and qeltool (which the tool tests run as a process) carries mappings.
objects=()
while IFS= read -r exe; do objects+=(-object "$exe"); done < <(
  find "$build/tests" "$build/app" -type f -executable -name '*test*' -o -type f -name 'qeltool*')
llvm-cov export -format=text -summary-only -instr-profile "$build/all.profdata" "${objects[@]}" \
  >"$build/coverage.json"
python3 scripts/coverage_table.py "$build/coverage.json" "$PWD"
