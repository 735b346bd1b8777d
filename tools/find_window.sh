# Sourced by the scripts that drive the program under Xvfb with xdotool.
# Every wait is bounded: each helper returns 1 when what it waits for does
# not come.
#
# private_display FOLDER [SCREEN]: starts an X server of the script's own and
# exports DISPLAY for it; stop_display ends it (call it on exit). Xvfb picks a
# display number nobody uses and writes it to FOLDER/display once it accepts
# clients, so that scripts and measurements can run side by side; -noreset
# keeps it from resetting, and refusing clients meanwhile, each time the last
# program has gone.
XVFB_PID=
private_display() {
    Xvfb -displayfd 3 -noreset -screen 0 "${2:-1024x768x24}" -nolisten tcp 3>"$1/display" >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 200); do
        [ -s "$1/display" ] && break
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.05
    done
    [ -s "$1/display" ] || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=":$(head -n1 "$1/display")"
    unset QT_QPA_PLATFORM WAYLAND_DISPLAY
}
stop_display() {
    if [ -n "$XVFB_PID" ] && kill -0 "$XVFB_PID" 2>/dev/null; then kill "$XVFB_PID" 2>/dev/null || true; fi
    XVFB_PID=
}
#
# find_window PATTERN [EXCLUDE]: waits (up to 20 s) for a visible window whose
# name matches PATTERN and is not the window EXCLUDE, and prints its id.
find_window() {
    local pattern=$1 exclude=${2:-} id
    for _ in $(seq 1 100); do
        for id in $(xdotool search --onlyvisible --name "$pattern" 2>/dev/null || true); do
            if [ "$id" != "$exclude" ]; then
                echo "$id"
                return 0
            fi
        done
        sleep 0.2
    done
    return 1
}

# click_until WINDOW X Y PATTERN [EXCLUDE]: clicks at X,Y in WINDOW until a
# window named PATTERN (not EXCLUDE) shows (up to 30 s), and prints its id:
# for a button that is still hidden or busy when the clicks begin.
click_until() {
    local win=$1 x=$2 y=$3 pattern=$4 exclude=${5:-} id
    for _ in $(seq 1 60); do
        xdotool mousemove --window "$win" "$x" "$y" click 1 2>/dev/null || true
        for _ in 1 2 3 4 5; do
            for id in $(xdotool search --onlyvisible --name "$pattern" 2>/dev/null || true); do
                if [ "$id" != "$exclude" ]; then
                    echo "$id"
                    return 0
                fi
            done
            sleep 0.1
        done
    done
    return 1
}

# wait_gone WINDOW: waits (up to 20 s) until WINDOW is no longer visible.
wait_gone() {
    for _ in $(seq 1 100); do
        xdotool search --onlyvisible --name '' 2>/dev/null | grep -qx "$1" || return 0
        sleep 0.2
    done
    return 1
}

# wait_focus WINDOW: gives WINDOW the keyboard (there is no window manager)
# and waits (up to 10 s) until the server reports it has it.
wait_focus() {
    for _ in $(seq 1 50); do
        timeout 2 xdotool windowfocus --sync "$1" 2>/dev/null || true
        [ "$(timeout 2 xdotool getwindowfocus 2>/dev/null)" = "$1" ] && return 0
        sleep 0.2
    done
    return 1
}

# wait_picture WINDOW STILL_MS [OLD...]: waits (up to 30 s) until WINDOW shows
# a picture that is none of OLD and has not changed for STILL_MS, and prints
# its fingerprint. With STILL_MS longer than the program's own pauses, the
# picture is the next one that stays. The looking is done by the winpicture
# tool built beside the program: WINPICTURE names it.
wait_picture() {
    local win=$1 still=$2
    shift 2
    "${WINPICTURE:?the winpicture tool is not named}" "$win" "$still" 30 "$@"
}
