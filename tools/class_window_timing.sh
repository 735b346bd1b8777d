#!/usr/bin/env bash
# Times the class overview under a private Xvfb display: from the start of
# `vokamo --class FOLDER` to the moment its window shows the first class's
# tables (the program writes that moment when VOKAMO_CLASS_SHOWN_MARK is set),
# for a folder of 40 pupils' records (one subfolder each) of a sample question
# file, and the processor time the program had used by then (which hardly
# depends on the load of the machine). RUNS runs after one warm-up; medians.
# usage: tools/class_window_timing.sh [BUILD_DIR] [RUNS]
# Needs: xvfb, iconv (tools/setup.sh installs them).
set -euo pipefail
# Bytes, not characters: the sample's title is Shift-JIS.
export LC_ALL=C

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$(cd "${1:-$ROOT/build}" && pwd)"
RUNS="${2:-10}"
VOKAMO="$BUILD/vokamo"

WORK="$(mktemp -d)"
. "$(dirname "${BASH_SOURCE[0]}")/find_window.sh"
APP_PID=""
cleanup() {
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true
    stop_display
    rm -rf "$WORK"
}
trap cleanup EXIT

# A class: lesson1.dat and 40 records of it, every item in some state.
CLASS="$WORK/class"
mkdir -p "$CLASS"
cp "$ROOT/samples/lesson1.dat" "$CLASS/"
header="$(sed -n 2p "$CLASS/lesson1.dat" | tr -d '\r')"
title="${header%% *}"
rest="${header#* }"
type="${rest%% *}"
items="${rest#* }"
items="${items%% *}"
lessons="$(sed -n 3p "$CLASS/lesson1.dat" | tr -d '\r')"
for p in $(seq 1 40); do
    mkdir -p "$CLASS/p$p"
    {
        printf '../lesson1.dat\r\n%s\r\npupil%s\r\n%s,%s,0,0,0,0\r\n%s\r\n' "$title" "$p" "$type" "$items" "$lessons"
        for _ in $(seq 1 "$lessons"); do printf '1\r\n'; done
        for i in $(seq 1 "$items"); do printf '%s,%s\r\n' $(((i + p) % 5)) $(((i * p) % 4 - 1)); done
    } >"$CLASS/p$p/p$p.ret"
done

private_display "$WORK" 1280x1024x24 || exit 1
# The folder memory of this run only.
export XDG_CONFIG_HOME="$WORK/config"

one_run() {
    local start mark
    start="$(date +%s%N)"
    VOKAMO_CLASS_SHOWN_MARK=1 "$VOKAMO" --class "$CLASS" 2>"$WORK/err" &
    APP_PID=$!
    for _ in $(seq 400); do grep -q '^vokamo-class-shown ' "$WORK/err" && break; sleep 0.025; done
    mark="$(sed -n 's/^vokamo-class-shown \([0-9]*\) .*/\1/p' "$WORK/err" | head -n1)"
    cpu="$(sed -n 's/^vokamo-class-shown .* cpu-us \([0-9]*\)/\1/p' "$WORK/err" | head -n1)"
    kill "$APP_PID" 2>/dev/null || true
    wait "$APP_PID" 2>/dev/null || true
    APP_PID=""
    [ -n "$mark" ] || { echo "the window showed no class" >&2; cat "$WORK/err" >&2; exit 1; }
    echo "$(((mark - start) / 1000000)) $((cpu / 1000))"
}

one_run >/dev/null
walls=()
cpus=()
for _ in $(seq "$RUNS"); do
    read -r wall cpu < <(one_run)
    walls+=("$wall")
    cpus+=("$cpu")
done
median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }
echo "class window, 40 records: first class shown after $(median "${walls[@]}") ms wall (median of $RUNS; runs ${walls[*]})"
echo "processor time used by then: $(median "${cpus[@]}") ms (median; runs ${cpus[*]})"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
