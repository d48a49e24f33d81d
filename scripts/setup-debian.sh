#!/usr/bin/env bash
# Installs, when missing, the Debian packages that building, running and testing need.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config python3 clang-format
    clang libclang-rt-14-dev
    libgtest-dev libbenchmark-dev
    g++-mingw-w64-x86-64-posix
    kanjidic unicode-data
    wine wine64 xvfb x11-utils xdotool imagemagick
    fonts-ipafont-gothic fonts-ipafont-mincho locales
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo_cmd=(sudo)
    fi
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
fi
