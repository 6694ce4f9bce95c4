#!/usr/bin/env bash
# ide_vs_tool.sh BUILD_DIR [RUNS]: the count loop's time in the IDE against `qeltool run`. Each runs the
# loop twice over, 6,000,000 and 16,000,000 times (ide_count.qel opens, runs from its Initialise and
# closes the IDE; count.qel under the tool); the difference of the two is the time of 10,000,000 rounds
# of the loop alone, with each process's start, window and end taken out. Times are the processor time
# the process itself used (user and system, from wait4), so the display server's share is not counted
# and another process's load counts less than in wall time. Prints the medians over RUNS (default 9).
# Needs a display: run under xvfb-run when there is none.
set -euo pipefail
build=$(cd "$1" && pwd)
runs=${2:-9}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/short" "$work/long"
"$build/bench/make_loop_programs" "$work/short" 6000000
"$build/bench/make_loop_programs" "$work/long" 16000000

exec /usr/bin/python3 - "$build" "$work" "$runs" <<'PY'
import os, statistics, subprocess, sys

build, work, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])

def cpu(command):
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(process.pid, 0)
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"{' '.join(command)} failed")
    return usage.ru_utime + usage.ru_stime

ide = lambda length: [f"{build}/app/qel", f"{work}/{length}/ide_count.qel"]
tool = lambda length: [f"{build}/app/qeltool", "run", f"{work}/{length}/count.qel"]
loops = {"IDE": [], "qeltool": []}
for _ in range(runs):
    for name, command in (("IDE", ide), ("qeltool", tool)):
        loops[name].append(cpu(command("long")) - cpu(command("short")))
ide_loop, tool_loop = statistics.median(loops["IDE"]), statistics.median(loops["qeltool"])
print(f"count loop, 10,000,000 rounds, median of {runs}: IDE {ide_loop:.4f} s, qeltool {tool_loop:.4f} s, "
      f"IDE / qeltool {ide_loop / tool_loop:.2f}")
PY
