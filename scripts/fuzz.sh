#!/usr/bin/env bash
# Builds the libFuzzer targets with the fuzz preset and runs the evaluator fuzzer
# for the given number of seconds (default 60). New inputs go to a corpus in the
# build folder; the committed seeds in fuzz/corpus are only read. Exits non-zero
# when the fuzzer finds a difference or a crash; its input is saved in the build folder.
# NLT_FUZZ_BUILD_DIR chooses another build folder.
set -euo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${NLT_FUZZ_BUILD_DIR:-$root/build/fuzz}

mkdir -p "$build"
cmake -S "$root" --preset fuzz -B "$build" > "$build/configure.log" 2>&1 || {
    cat "$build/configure.log"
    exit 1
}
cmake --build "$build" --target fuzz_evaluator -j 2

mkdir -p "$build/corpus"
"$build/fuzz/fuzz_evaluator" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
    -dict="$root/fuzz/evaluator.dict" -artifact_prefix="$build/" -print_final_stats=1 \
    "$build/corpus" "$root/fuzz/corpus"
