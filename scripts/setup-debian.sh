#!/usr/bin/env bash
# Installs, when missing, the Debian packages that building, running and testing need.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config python3 clang-format
    clang libclang-rt-14-dev
    libgtest-dev libbenchmark-dev valgrind
    g++-mingw-w64-x86-64-posix
    kanjidic unicode-data
    wine wine64 xvfb x11-utils xdotool imagemagick
    msitools wixl osslsigncode openssl
    fonts-ipafont-gothic fonts-ipafont-mincho fonts-wine locales
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
fi

# tenkari.exe runs under Wine in ja_JP.UTF-8, which gives code page 932 only once generated.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    echo "Generating the locale ja_JP.UTF-8"
    echo "ja_JP.UTF-8 UTF-8" | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
    "${sudo_cmd[@]}" locale-gen >/dev/null
fi
