#!/usr/bin/env bash
# Builds QEL with AddressSanitizer and UndefinedBehaviorSanitizer, builds the fuzz targets with
# clang, and runs every test (the fuzz runs included) through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

jobs=$(nproc)
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build/fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQEL_TESTS=OFF -DQEL_FUZZ=ON >/dev/null
cmake --build build/fuzz -j "$jobs" --target fuzz_targets

# Line tables are all the sanitizers' reports need (file and line of every frame); full debug
# information makes the test build a fifth slower.
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DQEL_SANITIZE=ON \
  -DQEL_FUZZ_BINARIES="$PWD/build/fuzz/fuzz" >/dev/null
cmake --build build/test -j "$jobs"

ctest --test-dir build/test --output-on-failure -j "$jobs" --timeout 600
