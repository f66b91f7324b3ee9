#!/bin/sh
# The everyday loop: the native build (preset "native", g++) brought up to date and its tests run.
# Incremental: only what changed is rebuilt, so a warm run after touching one source takes well
# under a minute. Arguments go to ctest (sh scripts/check.sh -R core_tests).
# The whole suite, with the sanitizers, the Windows build under Wine, fuzzing and benchmarks, is
# sh scripts/test.sh.
set -eu
cd "$(dirname "$0")/.."
if command -v ccache >/dev/null 2>&1; then
  : "${CMAKE_CXX_COMPILER_LAUNCHER:=ccache}" "${CMAKE_C_COMPILER_LAUNCHER:=ccache}"
  export CMAKE_CXX_COMPILER_LAUNCHER CMAKE_C_COMPILER_LAUNCHER
fi
[ -f build/native/build.ninja ] || cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native -j2 "$@"
