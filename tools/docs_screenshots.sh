#!/bin/bash
# Screenshots of the real program for docs/: starts it under Xvfb on a fresh
# learner record for a shipped question file, and saves the main window, the
# range dialog and the drill window at its first questions.
#
#   tools/docs_screenshots.sh OUTDIR [PATH/TO/vokamo [SAMPLE.dat]]
#
# OUTDIR gets main.png, range.png and drill1.png .. drill4.png; copy the ones
# that show the program well to docs/screenshot-*.png.
set -euo pipefail

ROOT=$(realpath "$(dirname "$0")/..")
OUT=$(realpath -m "${1:?output folder}")
VOKAMO=$(realpath "${2:-$ROOT/build/vokamo}")
SAMPLE=$(realpath "${3:-$ROOT/samples/mix3.dat}")
mkdir -p "$OUT"

if [ -z "${VOKAMO_SHOT_DISPLAY:-}" ]; then
    export VOKAMO_SHOT_DISPLAY=1
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

WORK=$(mktemp -d /tmp/vokamo-shots-XXXXXX)
PID=
cleanup() {
    if [ -n "$PID" ] && kill -0 "$PID" 2>/dev/null; then kill "$PID" 2>/dev/null || true; fi
    rm -rf "$WORK"
}
trap cleanup EXIT

. "$(dirname "${BASH_SOURCE[0]}")/find_window.sh"
window() {
    find_window "$@" || { echo "docs_screenshots: no window '$1'" >&2; return 1; }
}

# A speed button of the main window, by its left edge inside the bar.
press_button() {
    xdotool mousemove --window "$MAIN" $((6 + $1 + 12)) $((2 + 5 + 12)) click 1
}

cp "$SAMPLE" "$WORK/"
cd "$WORK"
"$VOKAMO" >"$WORK/vokamo.log" 2>&1 &
PID=$!
MAIN=$(window '^Vantory$')
sleep 1.8

press_button 83  # btnFileCreate
DIALOG=$(window '取り組む問題を選んでください')
xdotool windowfocus --sync "$DIALOG"
sleep 0.3
xdotool type --delay 40 "$(basename "$SAMPLE")"
xdotool key Return
for name in Hanako hanako; do
    PROMPT=$(window '^VokamoforWindows$')
    xdotool windowfocus --sync "$PROMPT"
    sleep 0.3
    xdotool type --delay 40 "$name"
    xdotool key Return
    sleep 1.0
done
sleep 1.0
import -window "$MAIN" "$OUT/main.png"

press_button 208  # btnSel
RANGE=$(window '学習範囲の指定')
sleep 0.5
import -window "$RANGE" "$OUT/range.png"
xdotool windowclose "$RANGE" 2>/dev/null || xdotool windowunmap "$RANGE"
sleep 0.5

press_button 128  # btnGo
QUES=$(window '^Vantory$' "$MAIN")
xdotool windowfocus --sync "$QUES"
sleep 3.8
# After each shot one try: two letters and Enter for a key-input question,
# the first choice for a multiple-choice one. A wrong try keeps the
# question, so a later shot may show it in its correction.
for n in 1 2 3 4; do
    import -window "$QUES" "$OUT/drill$n.png"
    xdotool type --delay 40 "zq"
    xdotool key 1 Return
    sleep 0.8
done
import -window "$QUES" "$OUT/drill_wrong.png"
xdotool key Escape
sleep 1.0
kill "$PID" 2>/dev/null || true
PID=
echo "docs_screenshots: pictures in $OUT"
