# Sourced by the scripts that drive the program under Xvfb with xdotool.
#
# find_window PATTERN [EXCLUDE]: waits (up to 20 s) for a visible window whose
# name matches PATTERN and is not the window EXCLUDE, and prints its id;
# returns 1 when none came.
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
