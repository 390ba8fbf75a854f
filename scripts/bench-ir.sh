#!/usr/bin/env bash
# Instructions per iteration of each benchmark under callgrind: repeatable
# figures whatever else the machine is doing. Usage: scripts/bench-ir.sh <bench> <filter>...
set -eu
bin=$1; shift
for f in "$@"; do
  out=$(mktemp); js=$(mktemp)
  valgrind --tool=callgrind --toggle-collect="*$f*" --callgrind-out-file="$out" "$bin" \
    --benchmark_filter="$f\$" --benchmark_min_time=0.2 --benchmark_out="$js" --benchmark_out_format=json >/dev/null 2>&1
  ir=$(callgrind_annotate "$out" 2>/dev/null | awk '/PROGRAM TOTALS/ {gsub(",","",$1); print $1}')
  it=$(python3 -c "import json,sys; print(sum(b['iterations'] for b in json.load(open('$js'))['benchmarks']))")
  printf '%-28s %14d Ir/iteration\n' "$f" $((ir / it))
  rm -f "$out" "$js"
done
