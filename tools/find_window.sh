# Sourced by the scripts that drive the program under Xvfb with xdotool.
# Every wait is bounded: each helper returns 1 when what it waits for does
# not come.
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

# window_picture WINDOW: a fingerprint of what WINDOW shows now; empty when
# it cannot be read.
window_picture() {
    local bytes
    # A window that is not on the screen has no picture (and import would
    # wait for it).
    xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable' || return 0
    bytes=$(timeout 5 import -silent -window "$1" rgb:- 2>/dev/null | md5sum) || return 0
    [ "${bytes%% *}" = d41d8cd98f00b204e9800998ecf8427e ] || echo "${bytes%% *}"
}

# wait_picture WINDOW STILL_MS [OLD...]: waits (up to 30 s) until WINDOW shows
# a picture that is none of OLD and has not changed for STILL_MS, and prints
# its fingerprint. With STILL_MS longer than the program's own pauses, the
# picture is the next one that stays.
wait_picture() {
    local win=$1 still=$2 last= now since=
    shift 2
    local end=$((SECONDS + 30))
    while [ "$SECONDS" -lt "$end" ]; do
        now=$(window_picture "$win")
        if [ -z "$now" ] || [[ " $* " == *" $now "* ]] || [ "$now" != "$last" ]; then
            since=$(date +%s%3N)
        elif [ $(($(date +%s%3N) - since)) -ge "$still" ]; then
            echo "$now"
            return 0
        fi
        last=$now
        sleep 0.05
    done
    return 1
}
