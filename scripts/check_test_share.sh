#!/usr/bin/env bash
# Fails when the tests grow past 36% of the code: non-blank lines of the C++ files under tests/
# against those of every C++ file outside tests/, fuzz/ and bench/.
set -euo pipefail
cd "$(dirname "$0")/.."
count() { xargs cat | grep -cv '^\s*$'; }
tests=$(git ls-files '*.cpp' '*.h' | grep '^tests/' | count)
code=$(git ls-files '*.cpp' '*.h' | grep -v '^\(tests\|fuzz\|bench\)/' | count)
echo "tests: $tests non-blank lines, code: $code ($((1000 * tests / code / 10)).$((1000 * tests / code % 10))%)"
if [ $((100 * tests)) -gt $((36 * code)) ]; then
  echo "The tests are more than 36% of the code: merge or drop tests before adding more."
  exit 1
fi
