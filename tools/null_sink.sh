#!/usr/bin/env bash
# Runs a command next to a private PulseAudio server whose default output is a
# null sink, so that real playback can be tested on a machine without sound
# hardware: what is played there can be recorded from "null.monitor" with
# parec. The server is reached through PULSE_SERVER and ends with the command.
#   tools/null_sink.sh COMMAND [ARGS...]
# Exits with 77 (a skipped test to ctest) when PulseAudio is not installed.
set -uo pipefail

for tool in pulseaudio pactl parec; do
    command -v "$tool" >/dev/null 2>&1 || { echo "null_sink: $tool is not installed; skipped" >&2; exit 77; }
done

RUNTIME="$(mktemp -d "${TMPDIR:-/tmp}/vokamo-test-${VOKAMO_TEST_TAG:+$VOKAMO_TEST_TAG-}pulse-XXXXXX")"
export PULSE_RUNTIME_PATH="$RUNTIME/runtime" PULSE_STATE_PATH="$RUNTIME/state" PULSE_SERVER="unix:$RUNTIME/native"
pulseaudio -n --daemonize=no --use-pid-file=no --exit-idle-time=-1 --disallow-exit \
    --load="module-null-sink sink_name=null" \
    --load="module-native-protocol-unix socket=$RUNTIME/native auth-anonymous=1" \
    >"$RUNTIME/server.log" 2>&1 &
SERVER=$!
cleanup() {
    kill "$SERVER" 2>/dev/null
    wait "$SERVER" 2>/dev/null
    rm -rf "$RUNTIME"
}
trap cleanup EXIT

for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
if ! pactl set-default-sink null 2>/dev/null; then
    echo "null_sink: the PulseAudio server did not start:" >&2
    sed 's/^/  /' "$RUNTIME/server.log" >&2
    exit 1
fi
# Tests that find this set fail instead of skipping when the sink is missing.
export VOKAMO_NULL_SINK=1
"$@"
