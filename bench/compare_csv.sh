#!/usr/bin/env bash
# compare_csv.sh BUILD_DIR: times writing then reading back 100,000 comma-separated lines of five
# fields, as a `qeltool run` of the generated csv.qel and as the same in /usr/bin/python3 with its
# csv module, five runs each in one sitting, and prints the medians (whole processes).
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/make_csv_program" "$work"

cat > "$work/csv_bench.py" <<'PY'
import csv, os, sys
path = os.path.join(os.path.dirname(os.path.abspath(sys.argv[0])), "csv_py.txt")
with open(path, "w", newline="") as f:
    w = csv.writer(f)
    for i in range(1, 100001):
        w.writerow([i, "p%d" % i, i * 0.5, "abc", i])
total = 0
with open(path, newline="") as f:
    for row in csv.reader(f):
        total += len(row)
assert total == 500000
PY

. "$(dirname "$0")/median.sh"

qel=$(median "$build/app/qeltool" run "$work/csv.qel" --vars)
"$build/app/qeltool" run "$work/csv.qel" --vars | grep -q '"name": "Total", "type": "Integer", "dims": "", "values": \[500000\]'
py=$(median /usr/bin/python3 "$work/csv_bench.py")
echo "csv write+read 100,000 lines x 5 fields: qel ${qel}s  /usr/bin/python3 ${py}s  python/qel $(echo "scale=2; $py / $qel" | bc)"
cmp -s <(head -c 40 "$work/csv.txt") <(printf '1,p1,0.5,abc,1\r\n2,p2,1,abc,2\r\n3,p3,1.5,a') || echo "unexpected csv.txt" >&2
