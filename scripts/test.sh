#!/bin/sh
# Builds both targets and runs every test: the native build with AddressSanitizer and UBSan,
# then the Windows build, whose tests run under Wine inside a virtual X display, then one short run
# of the benchmarks of docs/performance.md (their figures printed, not judged), then every fuzz
# target for 30 seconds from its seeds (libFuzzer, AddressSanitizer and UBSan).
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
# A killed run must not leave this project's wineserver behind.
trap 'WINEPREFIX="$PWD/build/windows/wineprefix" wineserver -k 2>/dev/null || true' EXIT
cmake --workflow --preset native-asan
xvfb-run -a -s "-screen 0 1024x768x24" cmake --workflow --preset windows
sh scripts/bench.sh quick
sh scripts/fuzz.sh 30
