#!/usr/bin/env bash
# Builds QEL and shows the bundled example program: for now `qeltool dump` prints it as JSON.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQEL_TESTS=OFF >/dev/null
cmake --build build/release -j "$(nproc)"
exec build/release/app/qeltool dump "${1:-examples/hello.qel}"
