#!/bin/sh
# Builds the program and starts the wizard: under Wine when there is a display to show it on.
# Without a display it says so, builds barloom-cli instead and writes a sample set of 5
# interlinked bars into the shipped folder of the build output, printing where.
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
if [ -n "${DISPLAY:-}" ]; then
  cmake --preset windows >/dev/null
  cmake --build --preset windows --target barloom barloom-cli barloom_dist
  dist="$PWD/build/windows/dist"
  # A Wine prefix of its own, so that the user's own Wine setup stays untouched.
  export WINEPREFIX="$PWD/build/wine-run" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  echo "Starting $dist/barloom.exe under Wine (the first start prepares a Wine prefix: a few seconds)"
  exec wine "$dist/barloom.exe"
fi
echo "No display (DISPLAY is not set): the wizard cannot be shown here."
cmake --preset native >/dev/null
cmake --build --preset native --target barloom-cli barloom_dist
dist="$PWD/build/native/dist"
"$dist/barloom-cli" create --bars 5 --folder "$dist/bars" --app-folder "$dist"
echo "A sample set of 5 bars was written to $dist/bars"
