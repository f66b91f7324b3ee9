#!/bin/sh
# Builds the optimised Windows program and packs the portable folder into
# build/release/<product>-<version>-win64.zip, then checks the zip. The same sources give the same
# bytes: every entry carries the time of the last commit (SOURCE_DATE_EPOCH, when set, wins).
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
cmake --preset windows-release >/dev/null
cmake --build --preset windows-release --target barloom barloom-cli
cache=build/windows-release/CMakeCache.txt
product=$(sed -n 's/^BARLOOM_PRODUCT_NAME:STRING=//p' "$cache")
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$cache")
if [ -z "${SOURCE_DATE_EPOCH:-}" ] && SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null); then
  export SOURCE_DATE_EPOCH
fi
mkdir -p build/release
zip="build/release/$(printf '%s' "$product" | tr '[:upper:] ' '[:lower:]-')-$version-win64.zip"
python3 scripts/pack_release.py build/windows-release/dist . "$zip"
python3 tests/release/check_release.py "$zip" . "$product" "$version"
sha256sum "$zip"
