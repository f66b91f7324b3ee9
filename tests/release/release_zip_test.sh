#!/bin/sh
# The release zip of this build's executables: packed twice, once from copies of every input with
# other times and permissions, it must come out the same bytes; then its contents and executables
# are checked.
#   release_zip_test.sh <python3> <folder with the executables> <source folder> <product> <version> <work folder>
set -eu
python=$1 executables=$2 source=$3 product=$4 version=$5 work=$6
rm -rf "$work"
mkdir -p "$work/exes" "$work/source"
export SOURCE_DATE_EPOCH=1767225600
"$python" "$source/scripts/pack_release.py" "$executables" "$source" "$work/first.zip"

cp "$executables/barloom.exe" "$executables/barloom-cli.exe" "$work/exes/"
cp -R "$source/LICENSE" "$source/resources" "$work/source/"
find "$work/exes" "$work/source" -type f -exec chmod 600 {} + -exec touch -d 2001-02-03T04:05:06 {} +
"$python" "$source/scripts/pack_release.py" "$work/exes" "$work/source" "$work/second.zip"
cmp "$work/first.zip" "$work/second.zip" || { echo "FAIL: the same files packed twice give different zips"; exit 1; }

"$python" "$source/tests/release/check_release.py" "$work/first.zip" "$source" "$product" "$version"
