#!/usr/bin/env bash
# Fuzzes the Data.dat reader and writer with libFuzzer for SECONDS (default 20), from the seed corpus.
# Usage: tools/fuzz-datafile.sh [SECONDS]     (TESSARO_FUZZ_BUILD=DIR picks the build directory)
set -euo pipefail

seconds="${1:-20}"
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${TESSARO_FUZZ_BUILD:-$repo/build-fuzz}"

cmake -G Ninja -S "$repo" -B "$build" \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DTESSARO_ENGINE_ONLY=ON -DTESSARO_FUZZ=ON >/dev/null
cmake --build "$build" --target fuzz_datafile

# Inputs found on the way go to a corpus inside the build directory, so the committed seeds stay
# a handful of readable files; a failing input is saved beside it as crash-* and reported.
found="$build/fuzz/datafile-corpus"
mkdir -p "$found"
"$build/bin/fuzz_datafile" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
    -print_final_stats=1 -artifact_prefix="$build/fuzz/" "$found" "$repo/tests/scores/corpus"
