#!/usr/bin/env bash
# Builds the libFuzzer targets with clang++ into their own folder and runs
# each for a given time, starting from the seed corpora (the sample question
# files and fuzz/seeds). Fails when a target finds a crash, a sanitizer
# report, a hang or a failed check; the input that did it is kept in the
# build folder's findings/.
#   tools/fuzz.sh [seconds per target, default 30] [build folder, default build-fuzz]
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
SECONDS_EACH="${1:-30}"
BUILD="${2:-$ROOT/build-fuzz}"
JOBS="${VOKAMO_JOBS:-2}"
CLANG="${CXX_FUZZ:-clang++}"

command -v "$CLANG" >/dev/null || { echo "fuzz.sh: $CLANG not found (apt-get install clang libclang-rt-14-dev)"; exit 1; }
if [ ! -f "$BUILD/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER="$CLANG" \
        -DVOKAMO_FUZZ=ON -DVOKAMO_TESTS=OFF -DVOKAMO_BENCH=OFF -DVOKAMO_WERROR=ON >/dev/null
fi
cmake --build "$BUILD" --target fuzz_targets -j "$JOBS"

mkdir -p "$BUILD/findings"
status=0
run() {
    local target="$1" max_len="$2"
    shift 2
    local corpus="$BUILD/corpus/$target"
    mkdir -p "$corpus"
    for seed in "$@"; do cp -n "$seed" "$corpus/" 2>/dev/null || true; done
    local log="$BUILD/findings/$target.log"
    echo "== $target: ${SECONDS_EACH} s"
    # -timeout: one input that takes longer than this is a hang, and a fault.
    if "$BUILD/fuzz/$target" "$corpus" -max_total_time="$SECONDS_EACH" -max_len="$max_len" -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$BUILD/findings/$target-" >"$log" 2>&1; then
        grep -E '^stat::number_of_executed_units|^Done' "$log" | sed "s/^/   /"
    else
        echo "   FAILED, see $log"
        tail -n 30 "$log"
        status=1
    fi
}
shopt -s nullglob
run DataFileFuzz 16384 "$ROOT"/samples/*.dat
run RecordFileFuzz 4096 "$ROOT"/fuzz/seeds/record/*
run TableFuzz 16384 "$ROOT"/fuzz/seeds/table/* "$ROOT"/samples/*.dat
run TextFuzz 512 "$ROOT"/fuzz/seeds/text/*
exit "$status"
