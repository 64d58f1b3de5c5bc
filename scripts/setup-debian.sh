#!/bin/sh
# Installs what building and testing Portlark needs on Debian, when anything is missing.
set -eu
packages="cmake make g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 googletest wine64 fonts-wine xvfb util-linux"
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing >/dev/null
