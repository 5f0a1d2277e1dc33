# Functions that drive a Wine dialog through real X input, for the demo and the end-to-end
# tests. Source it; it needs DISPLAY, xdotool, ImageMagick's import and, in SCREENPOINT, the
# path of screenpoint.exe, which finds where to click as the dialog is laid out at this font and
# DPI.

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

# click TITLE PART...: a real left click on a part of the window titled TITLE, as
# screenpoint.exe names parts: "control ID", "item TEXT...", "button TEXT...", "close"; or, with
# the title "-", "menuitem N COUNT" of the open popup menu. A part that is not found is said on
# standard error and not clicked: the caller's checks then fail on what did not happen.
click() {
    click_with 1 "$@"
}

# click_with BUTTON TITLE PART...: the same with another mouse button (3: the right one). The
# pointer must move for the click (xdotool's --sync waits for the motion), so a pointer already
# there is moved a pixel aside first. Each program has a time limit: screenpoint.exe waits for
# the dialog's answers, which a dialog that hangs never gives.
click_with() {
    local button=$1 point X Y SCREEN WINDOW
    shift
    point=$(point "$@")
    if [ -z "$point" ]; then
        echo "xdriver: no $* to click" >&2
        return 0
    fi
    set -- $point
    eval "$(xdotool getmouselocation --shell)"
    [ "$X $Y" != "$1 $2" ] || timeout 20 xdotool mousemove --sync $(($1 + 1)) $(($2 + 1))
    timeout 20 xdotool mousemove --sync "$1" "$2" click "$button"
    sleep 0.5
}

# point TITLE PART...: "X Y", where click would click the part; nothing when it is not found
# (so "point - menuitem 1 1" says whether a popup menu is open).
point() { timeout 60 wine "$SCREENPOINT" "$@" 2>/dev/null | tr -d '\r'; }

# press KEY...: real key presses (xdotool's names: Tab, space, shift+F10, Menu), to the window
# that has the keyboard focus.
press() { xdotool key --delay 150 "$@"; sleep 0.5; }

# screenshot FILE: the whole screen.
screenshot() {
    mkdir -p "$(dirname "$1")"
    import -window root "$1"
}

# wait_for_exit PID: waits up to 20 s for the process to end, then ends it and what it started
# (end_tree, helpers.sh).
wait_for_exit() {
    for _ in $(seq 1 100); do kill -0 "$1" 2>/dev/null || break; sleep 0.2; done
    end_tree "$1"
    wait "$1" 2>/dev/null || true
}
