#!/usr/bin/env bash
# Builds tenkari.exe and starts it under Wine in a Japanese locale: on the display if there is
# one (returning when the program ends), otherwise through the road of one reading on a virtual
# display, with a screenshot of each step under build/screenshots/. Pass --locale C.UTF-8 to run
# it in a locale whose code page is not 932, --dpi 144 (or 120, 192, ...) to show it at another
# display scaling, or --road to take the screenshots anyway.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup-debian.sh >&2
# Quiet when the build succeeds; when it fails, its whole output (the compiler's errors) and a
# non-zero status.
mkdir -p build
build_log=build/run-build.log
if ! { cmake --preset windows &&
    cmake --build --preset windows --target tenkari tenkari_e2e_driver tenkari_help; } \
    >"$build_log" 2>&1; then
    cat "$build_log" >&2
    echo "run.sh: the build failed; its output is above and in $build_log" >&2
    exit 1
fi
# The program writes its files where it runs; its help lies beside the exe, put there by the build.
mkdir -p build/output

exec python3 scripts/show_program.py \
    --exe build/windows/app/win32/tenkari.exe \
    --driver build/windows/tests/e2e/tenkari_e2e_driver.exe "$@"
