#!/usr/bin/env bash
# grade_bench.sh BUILD_DIR [SUBMISSIONS]: grades a class of SUBMISSIONS (default 1,000) copies of
# examples/shapes.qel, one in ten swapped for examples/colours.qel (a wrong picture), each in a
# folder of its own, against shapes.qel with a ten-line event script, on every core; prints the
# time and the summary's last line.
set -euo pipefail
build=$(cd "$1" && pwd)
count=${2:-1000}
examples=$(cd "$(dirname "$0")/../examples" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir -p "$work/class"
for i in $(seq -w 1 "$count"); do
  mkdir "$work/class/learner$i"
  if [ $((10#$i % 10)) -eq 0 ]; then
    cp "$examples/colours.qel" "$work/class/learner$i/shapes.qel"
  else
    cp "$examples/shapes.qel" "$work/class/learner$i/shapes.qel"
  fi
done
cat > "$work/events.txt" <<'SCRIPT'
paint
key 65
char a
mouse move 100 100
mouse down 100 100
mouse up 100 100
mouse rdown 300 200
mouse rup 300 200
resize 600 400
paint
SCRIPT

start=$(date +%s.%N)
set +e
"$build/app/qeltool" grade "$examples/shapes.qel" "$work/class" --events "$work/events.txt" > "$work/summary.txt"
status=$?
set -e
end=$(date +%s.%N)
echo "graded $count submissions on $(nproc) cores in $(echo "$end - $start" | bc) s (exit status $status)"
tail -1 "$work/summary.txt"
