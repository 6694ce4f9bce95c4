#!/usr/bin/env bash
# compare_languages.sh BUILD_DIR: the four loops a learner writes (count, call, array, sort) timed as
# whole processes under `qeltool run`, lua5.4 and /usr/bin/python3, the same algorithm in each. Every
# program runs seven times, the three languages in turn, and the fastest run counts. The array and
# sort programs check their result; a program that does not report it stops the comparison. The last
# row, start, is an empty program in each: the part of every row that is the process's start.
set -euo pipefail
build=$1
runs=${RUNS:-7}
command -v lua5.4 >/dev/null || { echo "lua5.4 is not installed (scripts/setup.sh)" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/make_loop_programs" "$work"

cat > "$work/count.py" <<'PY'
n = 0.0
for i in range(1, 10000001):
    n = n + i
PY
cat > "$work/count.lua" <<'LUA'
local n = 0.0
for i = 1, 10000000 do n = n + i end
LUA

cat > "$work/call.py" <<'PY'
def add_one(x):
    return x + 1.0
n = 0.0
for i in range(1, 10000001):
    n = add_one(i)
PY
cat > "$work/call.lua" <<'LUA'
local function add_one(x) return x + 1.0 end
local n = 0.0
for i = 1, 10000000 do n = add_one(i) end
LUA

cat > "$work/array.py" <<'PY'
a = [0] * 1001
for i in range(1, 10000001):
    k = i % 1000 + 1
    a[k] = a[k] + 1
if all(a[k] == 10000 for k in range(1, 1001)):
    print("counted")
PY
cat > "$work/array.lua" <<'LUA'
local a = {}
for k = 1, 1000 do a[k] = 0 end
for i = 1, 10000000 do
  local k = i % 1000 + 1
  a[k] = a[k] + 1
end
local even = true
for k = 1, 1000 do if a[k] ~= 10000 then even = false end end
if even then print("counted") end
LUA

cat > "$work/sort.py" <<'PY'
a = [0] * 1001
for r in range(5):
    for k in range(1, 1001):
        a[k] = k * 7919 % 1000
    i = 1
    while i < 1000:
        j = 1
        l = 1000 - i
        while j <= l:
            j1 = j + 1
            if a[j] > a[j1]:
                t = a[j]
                a[j] = a[j1]
                a[j1] = t
            j = j + 1
        i = i + 1
if all(a[k] <= a[k + 1] for k in range(1, 1000)):
    print("sorted")
PY
cat > "$work/sort.lua" <<'LUA'
local a = {}
for r = 1, 5 do
  for k = 1, 1000 do a[k] = k * 7919 % 1000 end
  local i = 1
  while i < 1000 do
    local j = 1
    local l = 1000 - i
    while j <= l do
      local j1 = j + 1
      if a[j] > a[j1] then
        local t = a[j]
        a[j] = a[j1]
        a[j1] = t
      end
      j = j + 1
    end
    i = i + 1
  end
end
local ordered = 0
for k = 1, 999 do if a[k] <= a[k + 1] then ordered = ordered + 1 end end
if ordered == 999 then print("sorted") end
LUA

# What every process pays before its loop: an empty program in each.
"$build/app/qeltool" new "$work/start.qel" >/dev/null
: >"$work/start.lua"
: >"$work/start.py"

qel() { "$build/app/qeltool" run "$work/$1.qel"; }
lua() { lua5.4 "$work/$1.lua"; }
py() { /usr/bin/python3 "$work/$1.py"; }

# The programs that check their work say so, in every language.
for loop in array:counted sort:sorted; do
  name=${loop%%:*} word=${loop#*:}
  for lang in qel lua py; do
    out=$("$lang" "$name" 2>&1 || true)
    if ! grep -q "$word" <<<"$out"; then
      echo "$lang $name: no \"$word\": the programs do not do the same work" >&2
      exit 1
    fi
  done
done

# Seconds one run takes, whole process.
seconds() {
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null 2>&1
  end=$(date +%s.%N)
  echo "$end - $start" | bc
}
fastest() { printf '%s\n' "$@" | sort -n | head -1; }

echo "| workload | QEL | Lua 5.4 | CPython | QEL / Lua |"
echo "|---|---|---|---|---|"
for loop in count call array sort start; do
  q=() l=() p=()
  for _ in $(seq "$runs"); do
    q+=("$(seconds qel "$loop")")
    l+=("$(seconds lua "$loop")")
    p+=("$(seconds py "$loop")")
  done
  bq=$(fastest "${q[@]}") bl=$(fastest "${l[@]}") bp=$(fastest "${p[@]}")
  printf '| %s | %.3f s | %.3f s | %.3f s | %.2f |\n' "$loop" "$bq" "$bl" "$bp" "$(echo "scale=4; $bq / $bl" | bc)"
done
