#!/usr/bin/env bash
# check_tidy.sh BUILD_DIR: runs clang-tidy (the checks of .clang-tidy) over the sources of the
# program, using the build's compile commands; fails on any finding.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: check_tidy.sh BUILD_DIR}
files=$(git ls-files '*.cpp' | grep -v '^\(tests\|bench\|fuzz\)/')
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! run-clang-tidy -p "$build" -j "$(nproc)" -quiet $files >"$log" 2>&1; then
  grep -E '(warning|error):' "$log" | sed 's/\x1b\[[0-9;]*m//g' | sort -u
  exit 1
fi
