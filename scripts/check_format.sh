#!/usr/bin/env bash
# Fails when a C++ file of the tree is not formatted as .clang-format says; prints the files.
set -euo pipefail
cd "$(dirname "$0")/.."
bad=$(git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run 2>&1 | grep -o '^[^:]*\.\(cpp\|h\)' | sort -u || true)
if [ -n "$bad" ]; then
  echo "Not formatted (run: clang-format -i FILE):"
  echo "$bad"
  exit 1
fi
