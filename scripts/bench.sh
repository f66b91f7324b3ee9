#!/bin/sh
# Builds the optimised native program with its benchmarks (preset "native-release") and runs the
# ones behind docs/performance.md: creating a 20-bar set with imports beside a plain read and
# atomic writes, the one-pass read of a source, what reading a file costs in memory (memory_bench:
# its goals are multiples of the file's size) and the peak memory of a create. Prints the
# figures; fails when a benchmark cannot run, never on a figure (a shared machine's times vary
# too much to judge by one run).
#   sh scripts/bench.sh [quick]   quick: the sizes of the goals only, one short run each
set -eu
cd "$(dirname "$0")/.."
cmake --preset native-release >/dev/null
cmake --build --preset native-release --target core_bench memory_bench barloom-cli
if [ "${1:-}" = quick ]; then
  filter='BM_ReadButtonImport|BM_BuildBarSet/bars:20/buttons:(1000|50000)/'
  set -- --benchmark_filter="$filter" --benchmark_min_time=0.2
else
  set -- --benchmark_repetitions=3 --benchmark_report_aggregates_only=true
fi
out=build/native-release/core_bench.txt
build/native-release/bench/core_bench "$@" | tee "$out"
if grep -q 'ERROR OCCURRED' "$out"; then
  echo "bench: a benchmark failed" >&2
  exit 1
fi
build/native-release/bench/memory_bench --benchmark_min_time=0 | tee build/native-release/memory_bench.txt
if grep -q 'ERROR OCCURRED' build/native-release/memory_bench.txt; then
  echo "bench: a memory benchmark failed" >&2
  exit 1
fi
sh bench/import_memory.sh build/native-release/dist/barloom-cli
