#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, the data checks, the tenkari-cli tests, the stroke table
# regeneration check, the formatting check, a bounded run of each fuzz target, the Windows cross
# build, the check of the release zip and installer, the end-to-end tests that drive the real
# tenkari.exe under Wine in two locales, each as Windows 7 and as Windows 10, and at 144 DPI, the
# installer installed, used and uninstalled under Wine (once with the release signed by a
# throwaway certificate), and the instruction count of one full annual reading against its
# budget.
#
# A step that fails does not stop the others that do not need it; each step says how long it
# took, and the last line counts every test and check: "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/.."

scripts/setup-debian.sh || exit

passed=0
failed=0
failures=()
logs=build/test-logs
mkdir -p "$logs"

# Runs a check that counts as one: its output is shown, and its name is kept when it fails.
check() {
    local name=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        failures+=("$name")
    fi
}

# A build step: nothing to count when it succeeds, one failure when it does not, and then the
# tests it was for are not run.
build() {
    local name=$1
    shift
    if ! "$@"; then
        failed=$((failed + 1))
        failures+=("$name")
        return 1
    fi
}

# ctest over a preset: each of its tests counts, read from ctest's own summary line.
tests_of() {
    local preset=$1 log="$logs/ctest-$1.log" summary
    ctest --preset "$preset" "${@:2}" 2>&1 | tee "$log"
    summary=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log")
    if [ -z "$summary" ]; then
        failed=$((failed + 1))
        failures+=("ctest --preset $preset (no summary; see $log)")
        return
    fi
    local bad total
    bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$summary")
    total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$summary")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
    if [ "$bad" -gt 0 ]; then
        while read -r line; do
            failures+=("$line")
        done < <(sed -n '/The following tests FAILED:/,$p' "$log" | grep -E '^\s+[0-9]+ - ' |
            sed -E 's/^\s+[0-9]+ - //')
    fi
}

step() {
    local name=$1 started=$SECONDS
    shift
    echo "== $name"
    "$@"
    echo "== $name: $((SECONDS - started)) s"
}

formatting() {
    git ls-files -- '*.cpp' '*.h' | xargs -r clang-format --dry-run --Werror
}

# Configures and builds a preset; a failure there counts once and leaves its tests unrun.
built() {
    build "$1 build" cmake --preset "$1" && build "$1 build" cmake --build --preset "$1"
}

native() {
    built native && tests_of native -j2
}

fuzz() {
    built fuzz && tests_of fuzz
}

windows() {
    # Two at once: each run under Wine has its own prefix, server and display; the runs that
    # pack the release take turns (a lock of their own).
    built windows && tests_of windows -j2
}

bench() {
    built bench || return
    check "instructions of one full annual reading within budget" \
        cmake --build --preset bench --target reading_instructions
}

started=$SECONDS
step "Formatting" check "formatting" formatting
step "Native build and tests" native
step "Fuzz targets, a bounded run of each over a copy of its seed corpus" fuzz
step "Windows cross build and end-to-end tests under Wine" windows
step "Benchmarks build, and the instructions of one full annual reading against their budget" bench

echo "== All steps: $((SECONDS - started)) s; build/ holds $(du -sh build | cut -f1)"
for name in "${failures[@]}"; do
    echo "failed: $name" >&2
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
