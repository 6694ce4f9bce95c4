#!/usr/bin/env bash
# compare_loops.sh BUILD_DIR: times the two loop programs under `qeltool run` beside the same loops in
# CPython 3 and Lua 5.4 (when installed), five runs each, and prints the medians and ratios.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/make_loop_programs" "$work"

cat > "$work/count.py" <<'PY'
n = 0.0
for i in range(1, 10000001):
    n = n + i
PY
cat > "$work/call.py" <<'PY'
def add_one(x):
    return x + 1.0
n = 0.0
for i in range(1, 10000001):
    n = add_one(i)
PY
cat > "$work/count.lua" <<'LUA'
local n = 0.0
for i = 1, 10000000 do n = n + i end
LUA
cat > "$work/call.lua" <<'LUA'
local function add_one(x) return x + 1.0 end
local n = 0.0
for i = 1, 10000000 do n = add_one(i) end
LUA

. "$(dirname "$0")/median.sh"

for loop in count call; do
  qel=$(median "$build/app/qeltool" run "$work/$loop.qel")
  py=$(median /usr/bin/python3 "$work/$loop.py")
  line="$loop: qel ${qel}s  /usr/bin/python3 ${py}s  python/qel $(echo "scale=2; $py / $qel" | bc)"
  if command -v lua5.4 >/dev/null; then
    lua=$(median lua5.4 "$work/$loop.lua")
    line="$line  lua5.4 ${lua}s  qel/lua $(echo "scale=2; $qel / $lua" | bc)"
  fi
  echo "$line"
done
