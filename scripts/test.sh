#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, the data checks, the tenkari-cli tests, the stroke table
# regeneration check, the formatting check, a bounded run of each fuzz target, the Windows cross
# build, the release zip check and the end-to-end tests that drive the real tenkari.exe under
# Wine in two locales and at 144 DPI.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup-debian.sh

echo "== Formatting"
git ls-files -- '*.cpp' '*.h' | xargs -r clang-format --dry-run --Werror

echo "== Native build and tests"
cmake --preset native
cmake --build --preset native
ctest --preset native

echo "== Fuzz targets, a bounded run of each over a copy of its seed corpus"
cmake --preset fuzz
cmake --build --preset fuzz
ctest --preset fuzz

echo "== Windows cross build and end-to-end tests under Wine"
cmake --preset windows
cmake --build --preset windows
ctest --preset windows

echo "== Benchmarks build"
cmake --preset bench
cmake --build --preset bench
