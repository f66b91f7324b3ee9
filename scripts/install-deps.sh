#!/bin/sh
# Installs the Debian 12 packages the build and the tests need, when any is missing.
set -eu
packages="cmake ninja-build g++ libgtest-dev libcli11-dev libbenchmark-dev clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix wine wine64 xvfb xauth
  openbox xdotool python3 python3-yaml fonts-wqy-microhei"
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
$sudo apt-get update -qq
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing >/dev/null
