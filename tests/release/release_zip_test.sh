#!/bin/sh
# The release zip of this build's executables: packed twice, once from copies of every input with
# other times and permissions, it must come out the same bytes; then its contents and executables
# are checked, and the checksum file and manifests written beside it.
#   release_zip_test.sh <python3> <folder with the executables> <source folder> <product> <version> <work folder>
#     <zip name> <author> <home page> <download address>
set -eu
python=$1 executables=$2 source=$3 product=$4 version=$5 work=$6 name=$7 author=$8 home_page=$9 download=${10}
rm -rf "$work"
mkdir -p "$work/exes" "$work/source" "$work/release"
export SOURCE_DATE_EPOCH=1767225600
zip="$work/release/$name"
"$python" "$source/scripts/pack_release.py" "$executables" "$source" "$zip"

cp "$executables/barloom.exe" "$executables/barloom-cli.exe" "$work/exes/"
cp -R "$source/LICENSE" "$source/resources" "$work/source/"
find "$work/exes" "$work/source" -type f -exec chmod 600 {} + -exec touch -d 2001-02-03T04:05:06 {} +
"$python" "$source/scripts/pack_release.py" "$work/exes" "$work/source" "$work/second.zip"
cmp "$zip" "$work/second.zip" || { echo "FAIL: the same files packed twice give different zips"; exit 1; }

"$python" "$source/tests/release/check_release.py" "$zip" "$source" "$product" "$version"
"$python" "$source/scripts/write_manifests.py" "$zip" --version "$version" --product "$product" --author "$author" \
  --home-page "$home_page" --download-url "$download"
"$python" "$source/tests/release/check_manifests.py" "$zip" "$version" "$download"
