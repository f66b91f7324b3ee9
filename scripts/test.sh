#!/bin/sh
# Builds both targets and runs every test: the native build (clang) with AddressSanitizer and UBSan,
# which also runs every fuzz target for a few seconds from its seeds and a short run of each
# benchmark; then the Windows build, whose tests run under Wine inside a virtual X display (among
# them the wizard driven by keystrokes and the check of the release zip). Longer runs:
# sh scripts/fuzz.sh, sh scripts/bench.sh; the everyday loop: sh scripts/check.sh.
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
if command -v ccache >/dev/null 2>&1; then
  : "${CMAKE_CXX_COMPILER_LAUNCHER:=ccache}" "${CMAKE_C_COMPILER_LAUNCHER:=ccache}"
  # The test executables share a precompiled header; the build-time macros do not reach it.
  : "${CCACHE_SLOPPINESS:=pch_defines,time_macros}"
  export CMAKE_CXX_COMPILER_LAUNCHER CMAKE_C_COMPILER_LAUNCHER CCACHE_SLOPPINESS
fi
# A killed run must not leave this project's wineserver behind.
trap 'WINEPREFIX="$PWD/build/windows/wineprefix" wineserver -k 2>/dev/null || true' EXIT
cmake --workflow --preset native-asan
xvfb-run -a -s "-screen 0 1024x768x24" cmake --workflow --preset windows
