#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, the data checks, the tenkari-cli tests, the stroke table
# regeneration check, the formatting check, a bounded run of each fuzz target, the Windows cross
# build, the check of the release zip and installer, the end-to-end tests that drive the real
# tenkari.exe under Wine in two locales, each as Windows 7 and as Windows 10, and at 144 DPI, the
# installer installed, used and uninstalled under Wine, the release signed with a throwaway
# certificate, and the instruction count of one full annual reading against its budget.
set -euo pipefail
cd "$(dirname "$0")/.."
# Every step prints its own output, a build its compiler's errors; the first that fails stops
# the run with its status, named here last so that it is not lost above.
trap 'status=$?; echo "test.sh: failed ($status): $BASH_COMMAND" >&2' ERR

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

echo "== Benchmarks build, and the instructions of one full annual reading against their budget"
cmake --preset bench
cmake --build --preset bench
cmake --build --preset bench --target reading_instructions
