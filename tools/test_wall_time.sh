#!/bin/bash
# Wall time of the whole ctest run of two build folders, measured in turn in
# one sitting (A B A B ...), so that the machine's load weighs on both alike:
#
#   tools/test_wall_time.sh OLD_BUILD NEW_BUILD [ROUNDS]
#
# Each run gets a temporary folder of its own as TMPDIR (removed afterwards:
# older builds' tests left files there). Prints every run's seconds, each
# build's median and the ratio NEW/OLD of the medians.
set -euo pipefail

OLD=$(realpath "${1:?usage: $0 OLD_BUILD NEW_BUILD [ROUNDS]}")
NEW=$(realpath "${2:?usage: $0 OLD_BUILD NEW_BUILD [ROUNDS]}")
ROUNDS=${3:-1}
# Each build's tests as many at a time as its own test command runs them
# (tools/setup.sh test): OLD_JOBS and NEW_JOBS.
OLD_JOBS=${OLD_JOBS:-2}
NEW_JOBS=${NEW_JOBS:-2}
# As tools/setup.sh test runs it: the package test's second build of the
# sources goes through the compiler cache.
export CMAKE_CXX_COMPILER_LAUNCHER="${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}"
export CCACHE_IGNOREOPTIONS="${CCACHE_IGNOREOPTIONS:--Werror}"

SCRATCH=$(mktemp -d "${TMPDIR:-/tmp}/vokamo-wall-XXXXXX")
chmod 755 "$SCRATCH"
trap 'rm -rf "$SCRATCH"' EXIT

# run BUILD JOBS: the milliseconds its ctest run took, failures included (a failing
# test still costs its time; the count is reported beside it).
run() {
    local tmp start end
    tmp=$(mktemp -d "$SCRATCH/tmp-XXXXXX")
    # Open to every user like /tmp: some tests drop to an ordinary user.
    chmod 1777 "$tmp"
    start=$(date +%s%N)
    (cd "$1" && TMPDIR="$tmp" ctest --timeout 300 -j "$2" >"$SCRATCH/last.log" 2>&1) || true
    end=$(date +%s%N)
    rm -rf "$tmp"
    echo "$(((end - start) / 1000000))"
}

# report BUILD MS: a run's time, how many tests failed, and which.
report() {
    echo "round $round: $1 $2 ms ($(grep -o '[0-9]* tests failed out of [0-9]*' "$SCRATCH/last.log"))"
    sed -n '/The following tests FAILED/,$p' "$SCRATCH/last.log" | grep -E '^[[:space:]]+[0-9]+ - ' | grep -v -E 'Not Run|Skipped|Disabled' || true
}

median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

declare -a OLD_MS NEW_MS
for round in $(seq 1 "$ROUNDS"); do
    OLD_MS+=("$(run "$OLD" "$OLD_JOBS")")
    report "$OLD" "${OLD_MS[-1]}"
    NEW_MS+=("$(run "$NEW" "$NEW_JOBS")")
    report "$NEW" "${NEW_MS[-1]}"
done
old=$(printf '%s\n' "${OLD_MS[@]}" | median)
new=$(printf '%s\n' "${NEW_MS[@]}" | median)
echo "median: old $old ms, new $new ms, new/old $(awk -v a="$new" -v b="$old" 'BEGIN {printf "%.2f", a / b}')"
