#!/usr/bin/env bash
# Builds QEL (Release) and starts the environment on the bundled example program.
#   scripts/run.sh [FILE.qel]          the IDE on FILE.qel (default examples/hello.qel); needs a desktop
#   scripts/run.sh --tool [FILE.qel]   prints the program as JSON instead (qeltool dump)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQEL_TESTS=OFF >/dev/null
cmake --build build/release -j "$(nproc)"

if [ "${1:-}" = "--tool" ]; then
  exec build/release/app/qeltool dump "${2:-examples/hello.qel}"
fi
exec build/release/app/qel "${1:-examples/hello.qel}"
