# Functions that drive a Wine dialog through real X input, for the demo and the end-to-end
# tests. Source it; it needs DISPLAY, xdotool and ImageMagick's import.

# wait_for_window TITLE PID: prints the X window of the dialog titled TITLE once it shows,
# nothing if process PID ends first or 60 s pass.
wait_for_window() {
    local title=$1 pid=$2 window
    for _ in $(seq 1 300); do
        window=$(xdotool search --name "^$title\$" 2>/dev/null | head -n 1) || true
        if [ -n "$window" ]; then
            sleep 0.5  # let it paint
            echo "$window"
            return 0
        fi
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.2
    done
}

# click_in WINDOW X Y: a real left click at X, Y within the window (its frame included).
click_in() {
    click_in_with "$1" "$2" "$3" 1
}

# click_in_with WINDOW X Y BUTTON: the same with another mouse button (3: the right one). The
# pointer must move for the click: xdotool's --sync waits for the motion.
click_in_with() {
    local X Y WIDTH HEIGHT SCREEN
    eval "$(xdotool getwindowgeometry --shell "$1")"
    xdotool mousemove --sync $((X + $2)) $((Y + $3)) click "$4"
    sleep 0.5
}

# screenshot FILE: the whole screen.
screenshot() {
    mkdir -p "$(dirname "$1")"
    import -window root "$1"
}

# wait_for_exit PID: waits up to 20 s for the process to end, then ends it.
wait_for_exit() {
    for _ in $(seq 1 100); do kill -0 "$1" 2>/dev/null || break; sleep 0.2; done
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}
