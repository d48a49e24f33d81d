#!/usr/bin/env bash
# Runs one fuzz target for a bounded number of inputs, starting from a fresh copy of its seed
# corpus, so that what it finds stays in the build tree.
# Usage: run_fuzz_target.sh TARGET SEED_DIR DICT WORK_DIR RUNS
set -euo pipefail
target=$1 seeds=$2 dict=$3 work=$4 runs=$5

rm -rf "$work"
mkdir -p "$work/corpus" "$work/findings"
cp "$seeds"/* "$work/corpus/"
"$target" -runs="$runs" -seed=1 -dict="$dict" -artifact_prefix="$work/findings/" "$work/corpus"
