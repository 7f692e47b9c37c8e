#!/usr/bin/env bash
# Runs every Google Benchmark program of the build and keeps its JSON results beside it.
set -euo pipefail
build=${1:-build}
out="$build/bench-results"
mkdir -p "$out"
shopt -s nullglob
programs=("$build"/bench/bench_*)
if [ ${#programs[@]} -eq 0 ]; then
  echo "no benchmark programs built"
  exit 0
fi
for program in "${programs[@]}"; do
  [ -x "$program" ] || continue
  name=$(basename "$program")
  echo "== $name"
  "$program" --benchmark_out="$out/$name.json" --benchmark_out_format=json
done
echo "results in $out/"
