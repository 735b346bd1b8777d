#!/bin/bash
# End-to-end drill: starts the real program under Xvfb, creates a learner
# record on a shipped question file, drills one set on the keyboard, leaves
# with Esc, quits, and checks the item lines of the saved record. With
# "sigterm" as the third argument the program is sent SIGTERM in the middle
# of the drill instead (the desktop session ending), and the record must
# hold the drill all the same (the finished set is saved while the next
# set's banner shows). With "display" the X server itself goes away after
# seven answers of the first set (a remote session dropped): the answers,
# which only memory held, must reach the record on the way out.
#
#   tools/e2e_drill.sh [PATH/TO/vokamo [PATH/TO/samples [quit|sigterm|display]]]
#
# Without arguments it takes build/vokamo and samples/ of the source tree.
#
# There is no window manager under Xvfb: every window that should take the
# keys is given the focus first. Each step waits for what it needs (a window,
# a change of what a window shows, the program's end), never a fixed time.
set -euo pipefail

ROOT=$(realpath "$(dirname "$0")/..")
VOKAMO=$(realpath "${1:-$ROOT/build/vokamo}")
WINPICTURE=${VOKAMO_WINPICTURE:-$(dirname "$VOKAMO")/winpicture}
SAMPLES=$(realpath "${2:-$ROOT/samples}")
END_BY=${3:-quit}
[ -x "$VOKAMO" ] || { echo "e2e_drill: no program at $VOKAMO" >&2; exit 1; }
[ -x "$WINPICTURE" ] || { echo "e2e_drill: no winpicture at $WINPICTURE" >&2; exit 1; }
[ -f "$SAMPLES/kihon0.dat" ] || { echo "e2e_drill: no kihon0.dat in $SAMPLES" >&2; exit 1; }

WORK=$(mktemp -d "${TMPDIR:-/tmp}/vokamo-test-${VOKAMO_TEST_TAG:+$VOKAMO_TEST_TAG-}e2e-XXXXXX")
LOG="$WORK/vokamo.log"
PID=
cleanup() {
    # A program that does not end on SIGTERM is a fault this test reports;
    # it must not stay behind and hold the machine.
    if [ -n "$PID" ] && kill -0 "$PID" 2>/dev/null; then
        kill "$PID" 2>/dev/null || true
        for _ in $(seq 1 20); do
            kill -0 "$PID" 2>/dev/null || break
            sleep 0.1
        done
        kill -KILL "$PID" 2>/dev/null || true
    fi
    stop_display
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "e2e_drill: $*" >&2
    [ -f "$LOG" ] && sed 's/^/  vokamo: /' "$LOG" >&2
    exit 1
}

. "$(dirname "${BASH_SOURCE[0]}")/find_window.sh"
private_display "$WORK" || fail "no X server"

# The answers of the first ten items of the sample, in data order.
SAMPLE=kihon0.dat
ANSWERS=(am are is play likes live have get goes makes)
ITEMS=44

cp "$SAMPLES/$SAMPLE" "$WORK/"
cd "$WORK"
"$VOKAMO" >"$LOG" 2>&1 &
PID=$!

MAIN=$(find_window '^Vantory$') || fail "the main window did not appear"
# btnFileCreate (SpeedBar at 6,2, the button at 83,5 inside it) comes up with
# the start-up sequence: clicked until its dialog opens.
DIALOG=$(click_until "$MAIN" $((6 + 83 + 12)) $((2 + 5 + 12)) '取り組む問題を選んでください') ||
    fail "the question file dialog did not open"
wait_focus "$DIALOG" || fail "the question file dialog did not take the keys"
xdotool type --delay 40 "$SAMPLE"
xdotool key Return

# The name dialog asks twice, each time as a new window.
PROMPT=
for name in Taro e2e; do
    PROMPT=$(find_window '^VokamoforWindows$' "$PROMPT") || fail "the name dialog did not open for $name"
    wait_focus "$PROMPT" || fail "the name dialog did not take the keys for $name"
    ASKING=$(wait_picture "$PROMPT" 300) || fail "the name dialog did not settle for $name"
    xdotool type --delay 40 "$name"
    wait_picture "$PROMPT" 300 "$ASKING" >/dev/null || fail "$name did not appear in the name dialog"
    xdotool key Return
done
wait_gone "$PROMPT" || fail "the name dialog did not close"

# btnGo at 128,5 inside SpeedBar, clicked until the drill window opens.
QUES=$(click_until "$MAIN" $((6 + 128 + 12)) $((2 + 5 + 12)) '^Vantory$' "$MAIN") ||
    fail "the drill window did not appear"
wait_focus "$QUES" || fail "the drill window did not take the keys"
# The window comes up empty, shows the banner for two seconds, then the
# first question: the first picture that stays longer than the banner.
QUESTION=$(wait_picture "$QUES" 3000) || fail "no first question"

[ "$END_BY" = display ] && ANSWERS=("${ANSWERS[@]:0:7}")
for word in "${ANSWERS[@]}"; do
    xdotool type --delay 60 "$word"
    TYPED=$(wait_picture "$QUES" 300 "$QUESTION") || fail "'$word' did not appear"
    xdotool key Return
    # The judged answer stays for the pause after a right word (0.8 s); the
    # next question is the picture after it. Letters typed during the pause
    # would be lost with it.
    JUDGED=$(wait_picture "$QUES" 250 "$TYPED") || fail "'$word' was not judged"
    QUESTION=$(wait_picture "$QUES" 300 "$TYPED" "$JUDGED") || fail "no question after '$word'"
done

# record_holds N: the record holds N items answered right once.
record_holds() {
    [ -f e2e.ret ] && [ "$(tr -d '\r' <e2e.ret | grep -c '^1,1$')" -eq "$1" ]
}

if [ "$END_BY" = sigterm ]; then
    # Still in the drill window: the set of ten is saved while the next
    # set's banner shows.
    for _ in $(seq 1 50); do
        record_holds "${#ANSWERS[@]}" && break
        sleep 0.1
    done
    record_holds "${#ANSWERS[@]}" || fail "the finished set was not saved while the next banner showed"
    kill -TERM "$PID"
elif [ "$END_BY" = display ]; then
    # In the middle of the set nothing has been written yet.
    [ -f e2e.ret ] && fail "the record was written in the middle of the set"
    stop_display
else
    xdotool key Escape
    wait_gone "$QUES" || fail "Esc did not leave the drill window"

    # btnQuit at 11,5 inside SpeedBar; clicks in the first second after the
    # drill window closed are not taken, and the window may still be busy with
    # the redraw after the drill, so the click is given again every second.
    for _ in $(seq 1 30); do
        kill -0 "$PID" 2>/dev/null || break
        xdotool mousemove --window "$MAIN" $((6 + 11 + 12)) $((2 + 5 + 12)) click 1 2>/dev/null || true
        for _ in $(seq 1 10); do
            kill -0 "$PID" 2>/dev/null || break
            sleep 0.1
        done
    done
fi
for _ in $(seq 1 300); do
    kill -0 "$PID" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$PID" 2>/dev/null && fail "the program did not end ($END_BY)"
# Without its display the program cannot end well: any status will do, as
# long as the record holds the drill.
wait "$PID" || [ "$END_BY" = display ] || fail "the program ended with status $? ($END_BY)"
PID=

[ -f e2e.ret ] || fail "no record e2e.ret was written"
mapfile -t LINES < <(tr -d '\r' <e2e.ret)
[ "${#LINES[@]}" -eq $((4 + ITEMS)) ] || fail "e2e.ret has ${#LINES[@]} lines, expected $((4 + ITEMS))"
[ "${LINES[2]}" = "Taro" ] || fail "player name is '${LINES[2]}'"
for i in $(seq 0 $((ITEMS - 1))); do
    line=${LINES[$((4 + i))]}
    if [ "$i" -lt "${#ANSWERS[@]}" ]; then want="1,1"; else want="0,-1"; fi
    [ "$line" = "$want" ] || fail "item $i: record line '$line', expected '$want'"
done
grep -q $'\r$' e2e.ret || fail "record lines do not end in CR LF"

echo "e2e_drill ($END_BY): ${#ANSWERS[@]} items recorded right once, the others untouched"
