#!/bin/sh
# Builds barloom-cli and writes a sample set of 5 interlinked bars into the shipped folder of
# the build output, then says where. (The wizard window will be started here once it exists.)
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
cmake --preset native >/dev/null
cmake --build --preset native --target barloom-cli barloom_dist
dist="$PWD/build/native/dist"
"$dist/barloom-cli" create --bars 5 --folder "$dist/bars" --app-folder "$dist"
echo "A sample set of 5 bars was written to $dist/bars"
