#!/bin/sh
# Builds the optimised Windows program and packs the portable folder into
# build/release/<product>-<version>-win64.zip, then writes beside it the checksum file and the
# Scoop, winget and Chocolatey manifests, and checks them all. The same sources give the same
# bytes: every entry carries the time of the last commit (SOURCE_DATE_EPOCH, when set, wins).
# Arguments go to the configure step; the manifests need the download address and the home page:
#   sh scripts/release.sh -DBARLOOM_DOWNLOAD_URL='https://example.org/{version}/barloom-{version}-win64.zip' \
#     -DBARLOOM_HOME_PAGE=https://example.org/barloom
# (kept in build/windows-release, so later runs need no arguments).
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
cmake --preset windows-release "$@" >/dev/null
cache=build/windows-release/CMakeCache.txt
setting() { sed -n "s/^$1:[A-Z]*=//p" "$cache"; }
product=$(setting BARLOOM_PRODUCT_NAME)
version=$(setting CMAKE_PROJECT_VERSION)
download=$(setting BARLOOM_DOWNLOAD_URL)
home_page=$(setting BARLOOM_HOME_PAGE)
if [ -z "$download" ] || [ -z "$home_page" ]; then
  echo "release.sh: the manifests need the download address and the home page: run" >&2
  echo "  sh scripts/release.sh -DBARLOOM_DOWNLOAD_URL='https://.../$(setting BARLOOM_RELEASE_ZIP | sed "s/$version/{version}/")' -DBARLOOM_HOME_PAGE=https://..." >&2
  exit 2
fi
cmake --build --preset windows-release --target barloom barloom-cli
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  if [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$(pwd -P)" ]; then
    SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
  else
    # A tree exported without .git (git archive): every file carries the last commit's time.
    SOURCE_DATE_EPOCH=$(stat -c %Y CMakeLists.txt)
  fi
  export SOURCE_DATE_EPOCH
fi
mkdir -p build/release
zip="build/release/$(setting BARLOOM_RELEASE_ZIP)"
python3 scripts/pack_release.py build/windows-release/dist . "$zip"
python3 tests/release/check_release.py "$zip" . "$product" "$version"
python3 scripts/write_manifests.py "$zip" --version "$version" --product "$product" \
  --author "$(setting BARLOOM_AUTHOR)" --home-page "$home_page" --download-url "$download"
python3 tests/release/check_manifests.py "$zip" "$version" "$download"
cd build/release
find . -type f | sort
sha256sum -c "${zip##*/}.sha256"
