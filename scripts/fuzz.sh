#!/bin/sh
# Builds the fuzz targets (preset "fuzz": clang, libFuzzer, AddressSanitizer and UBSan) and runs
# each, one job at a time, starting from its committed seeds (fuzz/corpus/<target>); the inputs it
# finds go to build/fuzz/corpus/<target>, a failing one to build/fuzz/findings.
#   sh scripts/fuzz.sh [seconds per target, default 30] [executions per target]
# With a number of executions each target runs until it has made that many (the seconds are then
# ignored): sh scripts/fuzz.sh 0 10000000 is the long run. FUZZ_TARGETS="ini number" runs only those.
set -eu
cd "$(dirname "$0")/.."
seconds="${1:-30}"
runs="${2:-}"
targets="${FUZZ_TARGETS:-ini number settings language bar_import icon_pixels}"
cmake --preset fuzz >/dev/null
# shellcheck disable=SC2086
cmake --build --preset fuzz --target $(for t in $targets; do printf 'fuzz_%s ' "$t"; done)
mkdir -p build/fuzz/findings
if [ -n "$runs" ]; then bound="-runs=$runs"; else bound="-max_total_time=$seconds"; fi
for target in $targets; do
  mkdir -p "build/fuzz/corpus/$target"
  echo "fuzz_$target: ${runs:-$seconds s}"
  # -max_len: the targets' inputs are files, settings, a text or a bar: room for a long line.
  "build/fuzz/fuzz/fuzz_$target" "build/fuzz/corpus/$target" "fuzz/corpus/$target" \
    "$bound" -max_len=8192 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="build/fuzz/findings/$target-" 2>"build/fuzz/$target.log" ||
    { tail -n 40 "build/fuzz/$target.log"; echo "fuzz_$target failed: see build/fuzz/findings"; exit 1; }
  grep -E '^stat::(number_of_executed_units|average_exec_per_sec)' "build/fuzz/$target.log" || true
  grep -E '^Done [0-9]+ runs in [0-9]+ second' "build/fuzz/$target.log" || true
done
