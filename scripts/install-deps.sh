#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing psm needs.
# Does nothing when they are all present.
set -eu
packages=(cmake ninja-build make g++ clang libclang-rt-14-dev clang-format
          libgtest-dev googletest libbenchmark-dev
          g++-mingw-w64-x86-64-posix mingw-w64-tools libwine-dev
          wine64 wine fonts-wine xvfb xauth imagemagick)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
