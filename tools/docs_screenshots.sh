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
WINPICTURE=${VOKAMO_WINPICTURE:-$(dirname "$VOKAMO")/winpicture}
SAMPLE=$(realpath "${3:-$ROOT/samples/mix3.dat}")
mkdir -p "$OUT"

WORK=$(mktemp -d "${TMPDIR:-/tmp}/vokamo-test-shots-XXXXXX")
PID=
cleanup() {
    if [ -n "$PID" ] && kill -0 "$PID" 2>/dev/null; then kill "$PID" 2>/dev/null || true; fi
    stop_display
    rm -rf "$WORK"
}
trap cleanup EXIT

. "$(dirname "${BASH_SOURCE[0]}")/find_window.sh"
private_display "$WORK"
window() {
    find_window "$@" || { echo "docs_screenshots: no window '$1'" >&2; return 1; }
}


cp "$SAMPLE" "$WORK/"
cd "$WORK"
"$VOKAMO" >"$WORK/vokamo.log" 2>&1 &
PID=$!
MAIN=$(window '^Vantory$')

# btnFileCreate, clicked until the start-up sequence has shown it.
DIALOG=$(click_until "$MAIN" $((6 + 83 + 12)) $((2 + 5 + 12)) '取り組む問題を選んでください')
wait_focus "$DIALOG"
xdotool type --delay 40 "$(basename "$SAMPLE")"
xdotool key Return
PROMPT=
for name in Hanako hanako; do
    PROMPT=$(window '^VokamoforWindows$' "$PROMPT")
    wait_focus "$PROMPT"
    ASKING=$(wait_picture "$PROMPT" 300)
    xdotool type --delay 40 "$name"
    wait_picture "$PROMPT" 300 "$ASKING" >/dev/null
    xdotool key Return
done
wait_gone "$PROMPT"
wait_picture "$MAIN" 300 >/dev/null
import -window "$MAIN" "$OUT/main.png"

RANGE=$(click_until "$MAIN" $((6 + 208 + 12)) $((2 + 5 + 12)) '学習範囲の指定')  # btnSel
wait_picture "$RANGE" 300 >/dev/null
import -window "$RANGE" "$OUT/range.png"
xdotool windowclose "$RANGE" 2>/dev/null || xdotool windowunmap "$RANGE"
wait_gone "$RANGE"

QUES=$(click_until "$MAIN" $((6 + 128 + 12)) $((2 + 5 + 12)) '^Vantory$' "$MAIN")  # btnGo
wait_focus "$QUES"
# The window comes up empty, shows the banner for two seconds, then the
# first question: the first picture that stays longer than the banner.
NOW=$(wait_picture "$QUES" 3000)
# After each shot one try: two letters and Enter for a key-input question,
# the first choice for a multiple-choice one. A wrong try keeps the
# question, so a later shot may show it in its correction.
for n in 1 2 3 4; do
    import -window "$QUES" "$OUT/drill$n.png"
    xdotool type --delay 40 "zq"
    xdotool key 1 Return
    # The try changes the picture; a correction may keep flashing, so the
    # next shot is taken once it has changed, or after the bounded wait.
    NOW=$(wait_picture "$QUES" 300 "$NOW" || true)
done
import -window "$QUES" "$OUT/drill_wrong.png"
xdotool key Escape
wait_gone "$QUES"
kill "$PID" 2>/dev/null || true
PID=
echo "docs_screenshots: pictures in $OUT"
