#!/usr/bin/env bash
# run_fuzzer.sh FUZZER SECONDS WORKDIR SEEDDIR: fuzzes for SECONDS, starting from the seeds; any
# crash, hang, leak, sanitizer report or memory use past 1 GB (a single allocation past it too)
# makes libFuzzer exit non-zero, which fails the test.
set -euo pipefail
fuzzer=$1 seconds=$2 work=$3 seeds=$4
mkdir -p "$work/corpus" "$work/artifacts"
exec "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 -max_len=65536 \
  -artifact_prefix="$work/artifacts/" -print_final_stats=1 "$work/corpus" "$seeds"
