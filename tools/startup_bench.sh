#!/usr/bin/env bash
# Measures, under a private Xvfb display:
#  - the time from process start to the first visible window, for vokamo and
#    for a bare Qt program that only shows a label (tools/minimal_qt.cpp),
#    interleaved, RUNS times each after one warm-up, median reported;
#  - for both, the CPU time the process has used when it maps that window and
#    when it sends the window's first picture (tools/firstframe.c), which
#    hardly depends on the load of the machine, medians of RUNS;
#  - the resident memory (VmRSS) of vokamo after it has opened a record of
#    600 items, driven through its open dialog with xdotool
#    (VOKAMO_BENCH_SMAPS=1 also lists the largest mappings then).
# usage: tools/startup_bench.sh [BUILD_DIR] [RUNS]
# Needs: xvfb, xdotool, x11-utils, libx11-dev, a C compiler (tools/setup.sh installs them).
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$(cd "${1:-$ROOT/build}" && pwd)"
RUNS="${2:-10}"
VOKAMO="$BUILD/vokamo"
MINIMAL="$BUILD/minimal_qt"

cmake --build "$BUILD" --target vokamo minimal_qt mapclock -j 2 >/dev/null

WORK="$(mktemp -d)"
. "$(dirname "${BASH_SOURCE[0]}")/find_window.sh"
APP_PID=""
cleanup() {
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true
    stop_display
    rm -rf "$WORK"
}
trap cleanup EXIT

private_display "$WORK" 1280x1024x24 || exit 1

now_ns() { date +%s%N; }

wait_window() {  # name-regex timeout-seconds -> prints window id
    local deadline=$(($(date +%s) + $2)) id
    while :; do
        id="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true)"
        [ -n "$id" ] && { echo "$id"; return 0; }
        [ "$(date +%s)" -ge "$deadline" ] && return 1
    done
}

# Milliseconds from the start of $1 to the map of its window titled $2
# (tools/mapclock.cpp listens for the map event itself).
time_to_window() {
    (cd "$WORK" && exec "$BUILD/mapclock" "$2" "$1" 2>"$WORK/mapclock.err") || { echo "no window from $1" >&2; tail -5 "$WORK/mapclock.err" >&2; exit 1; }
}

median() { sort -n | awk '{a[NR]=$1} END {if (NR % 2) print a[(NR+1)/2]; else print (a[NR/2] + a[NR/2+1]) / 2}'; }

# Warm-up: the first start of each reads its libraries from disk.
time_to_window "$VOKAMO" Vantory >/dev/null
time_to_window "$MINIMAL" MinimalQt >/dev/null
VK_TIMES=()
MIN_TIMES=()
for _ in $(seq "$RUNS"); do
    VK_TIMES+=("$(time_to_window "$VOKAMO" Vantory)")
    MIN_TIMES+=("$(time_to_window "$MINIMAL" MinimalQt)")
done
VK_MED="$(printf '%s\n' "${VK_TIMES[@]}" | median)"
MIN_MED="$(printf '%s\n' "${MIN_TIMES[@]}" | median)"

# --- CPU time to the first window and to its first picture ----------------
cc -shared -fPIC -O2 "$ROOT/tools/firstframe.c" -o "$WORK/firstframe.so" -ldl
for _ in $(seq "$RUNS"); do
    for p in "$VOKAMO" "$MINIMAL"; do
        (cd "$WORK" && FIRSTFRAME_OUT="$WORK/cpu_$(basename "$p")" LD_PRELOAD="$WORK/firstframe.so" "$p" >/dev/null 2>&1) || true
    done
done
cpu_median() { awk -v c="$2" '{print $c}' "$WORK/cpu_$1" | median; }
VK_CPU_MAP="$(cpu_median vokamo 1)"
VK_CPU_FRAME="$(cpu_median vokamo 2)"
MIN_CPU_MAP="$(cpu_median minimal_qt 1)"
MIN_CPU_FRAME="$(cpu_median minimal_qt 2)"

# --- memory with a 600-item record open ----------------------------------
# Question data of kind 2: 20 lessons, 20 codes, 600 items; ASCII only, so
# it is valid Shift-JIS as it stands. Lines end in CR LF.
crlf() { printf '%s\r\n' "$@"; }
{
    crlf "stress data for the start-up measurement"
    crlf "Stress_600 2 600"
    crlf 20
    for l in $(seq 0 19); do crlf "Lesson_$l"; done
    crlf 20
    for c in $(seq 0 19); do crlf "Code_$c"; done
    for i in $(seq 0 599); do
        crlf "$((i % 20)) $((i / 30))" "This is @word$i in a longer sentence for the drill ." "question $i" "note $i"
    done
} >"$WORK/stress.dat"
{
    crlf "$WORK/stress.dat" "Stress_600" "Bench" "2,600,0,0,0,0" 20
    for _ in $(seq 20); do crlf 1; done
    crlf 20
    for _ in $(seq 20); do crlf 1; done
    for i in $(seq 0 599); do crlf "$((i % 4)),$((i % 4 - 1))"; done
} >"$WORK/stress.ret"

(cd "$WORK" && exec "$VOKAMO" >/dev/null 2>&1) &
APP_PID=$!
wait_window '^Vantory$' 30 >/dev/null
sleep 2  # the splash closes after 1.3 s and the buttons appear
rss_kb() { awk '/^VmRSS/ {print $2}' "/proc/$APP_PID/status"; }
RSS_IDLE="$(rss_kb)"
MAIN="$(xdotool search --onlyvisible --name '^Vantory$' | head -n1)"
# btnOpen: left 47 in the button bar at 6,2; buttons 36 x 36 at top 5.
xdotool mousemove --window "$MAIN" 71 25 click 1
DIALOG="$(wait_window '成績を選んでください' 10)" || { echo "the open dialog did not appear" >&2; exit 1; }
xdotool windowfocus --sync "$DIALOG"
xdotool type --delay 20 "stress.ret"
xdotool key Return
sleep 2
RSS_OPEN="$(rss_kb)"
ANON_OPEN="$(awk '/^RssAnon/ {print $2}' "/proc/$APP_PID/status")"
PSS_OPEN="$(awk '/^Pss:/ {print $2}' "/proc/$APP_PID/smaps_rollup")"
if [ -n "${VOKAMO_BENCH_SMAPS:-}" ]; then
    # Resident memory by mapping, largest first.
    awk '/^[0-9a-f]+-[0-9a-f]+ / {name = $6; if (name == "") name = "[anon]"} /^Rss:/ {r[name] += $2}
         END {for (n in r) printf "%8d kB %s\n", r[n], n}' "/proc/$APP_PID/smaps" | sort -rn | head -n 25 >&2
fi
if command -v import >/dev/null 2>&1; then
    import -window "$MAIN" "$BUILD/startup_bench_record.png" 2>/dev/null || true
fi
kill "$APP_PID"
wait "$APP_PID" 2>/dev/null || true
APP_PID=""

awk -v v="$VK_MED" -v m="$MIN_MED" -v idle="$RSS_IDLE" -v open="$RSS_OPEN" -v anon="$ANON_OPEN" -v pss="$PSS_OPEN" -v runs="$RUNS" \
    -v vt="${VK_TIMES[*]}" -v mt="${MIN_TIMES[*]}" \
    -v vcm="$VK_CPU_MAP" -v vcf="$VK_CPU_FRAME" -v mcm="$MIN_CPU_MAP" -v mcf="$MIN_CPU_FRAME" 'BEGIN {
    printf "first window, median of %d runs: vokamo %d ms, minimal Qt %d ms, ratio %.2f (target <= 1.2)\n", runs, v, m, v / m
    printf "  vokamo runs:  %s\n  minimal runs: %s\n", vt, mt
    printf "CPU time used, median of %d runs: at the first window vokamo %.1f ms, minimal Qt %.1f ms, ratio %.2f;\n", runs, vcm, mcm, vcm / mcm
    printf "  at its first picture vokamo %.1f ms, minimal Qt %.1f ms, ratio %.2f\n", vcf, mcf, vcf / mcf
    printf "VmRSS of vokamo: %.1f MB after start, %.1f MB with the 600-item record open after the file dialog (target <= 40 MB)\n", idle / 1024, open / 1024
    printf "  of that, own heap and stacks (RssAnon) %.1f MB; proportional share (Pss) %.1f MB\n", anon / 1024, pss / 1024
}'
