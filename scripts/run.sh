#!/usr/bin/env bash
# Builds tenkari-cli and shows a reading: the road of one reading (木林森, born 1960, 男,
# judged 1999) unless other arguments are given, e.g.
#   scripts/run.sh --name 日本 --birth 1985 --year 2027 --sex 女 --hexagram
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup-debian.sh >&2
cmake --preset native >/dev/null
cmake --build --preset native --target tenkari-cli >/dev/null

if [ $# -eq 0 ]; then
    set -- --name 木林森 --birth 1960 --year 1999 --sex 男
fi
exec build/native/cli/tenkari-cli "$@"
