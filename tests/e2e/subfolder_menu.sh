#!/usr/bin/env bash
# The sub-folder menu end to end, as a person uses it: vorlanxbrowser.exe (the browser with the
# menu on) on our store, a real right click on an area, "New SubFolder" clicked in the real popup
# menu, a name typed into the dialog, OK twice; the folder must be on disk with its description,
# and the area chosen before is the result.
# A screenshot of the open menu is kept.
# usage: subfolder_menu.sh BIN_FOLDER TOOLS_FOLDER ARTIFACT_FOLDER
set -uo pipefail
bin=$1
tools=$2
SCREENPOINT=$tools/screenpoint.exe
artifacts=$3
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/xdriver.sh"
. "$here/../../scripts/helpers.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$bin"/*.dll "$tools/vorlanxbrowser.exe" "$work"/
area=$work/1/userroot/storage/AREA1
make_area "$work/1" AREA1 open
mkdir -p "$work/c/userroot/storage"
printf '[devices]\nC: = Z:%s\n1 = Z:%s\n' "${work//\//\\}\\c" "${work//\//\\}\\1" >"$work/storage.ini"

(cd / && wine "$work/vorlanxbrowser.exe" 1 >"$work/out" 2>&1) &
pid=$!
title="Browse for Storage Area"
window=$(wait_for_window "$title" "$pid")
if [ -z "$window" ]; then
    fail "the browser did not show"
else
    click "$title" item 1: AREA1          # chosen, and the caret
    click_with 3 "$title" item 1: AREA1   # a right click: the menu
    sleep 1
    screenshot "$artifacts/subfolder-menu.png"
    click - menuitem 1 3                  # "New SubFolder", the first of three
    dialog=$(wait_for_window "New SubFolder" "$pid")
    if [ -z "$dialog" ]; then
        fail "the sub-folder dialog did not show"
    else
        xdotool type --delay 80 "DEMO2"
        xdotool key Tab
        xdotool type --delay 40 "Made through the menu"
        screenshot "$artifacts/subfolder-dialog.png"
        xdotool key Return
        sleep 1
    fi
    click "$title" control 1     # OK
fi
wait_for_exit "$pid"
printed=$(tr -d '\r' <"$work/out")
[ "$printed" == "1:AREA1" ] || fail "the browser printed '$printed'"
[ -d "$area/DEMO2" ] || fail "no folder DEMO2 in the area"
[ "$(cat "$area/DEMO2/category.txt" 2>/dev/null)" == "Made through the menu" ] ||
    fail "DEMO2's description is '$(cat "$area/DEMO2/category.txt" 2>/dev/null)'"
# The keyboard alone, by Shift+F10 and by the Menu key: the menu shows at the caret item (the
# pointer is parked far from it), Esc closes it, and New is chosen and filled in with keys.
for key in shift+F10 Menu; do
    (cd / && wine "$work/vorlanxbrowser.exe" 1 AREA1 >"$work/out" 2>&1) &
    pid=$!
    if [ -n "$(wait_for_window "$title" "$pid")" ]; then
        xdotool mousemove 1200 1000 key --delay 150 Tab Tab Tab space "$key" Escape
        sleep 0.5
        ! wine "$SCREENPOINT" - menuitem 1 3 &>/dev/null || fail "$key: Esc left the menu open"
        xdotool key "$key"
        sleep 1
        screenshot "$artifacts/subfolder-menu-${key#*+}.png"
        set -- $(wine "$SCREENPOINT" "$title" item 1: AREA1; wine "$SCREENPOINT" - menuitem 1 3)
        set -- ${*//$'\r'/}
        (($# == 4 && $3 > $1 && $3 < $1 + 200 && $4 > $2 && $4 < $2 + 60)) ||
            fail "$key: the menu's first item at '$3 $4', the caret item at '$1 $2'"
        xdotool key Down Return
        [ -n "$(wait_for_window "New SubFolder" "$pid")" ] && xdotool type --delay 80 "K${key#*+}" &&
            xdotool key Tab && xdotool type --delay 40 "By $key" && xdotool key Return
        sleep 1
        xdotool key Return   # OK
    fi
    wait_for_exit "$pid"
    [ "$(tr -d '\r' <"$work/out")" == "1:AREA1" ] || fail "$key: printed '$(tr -d '\r' <"$work/out")'"
    [ "$(cat "$area/K${key#*+}/category.txt" 2>/dev/null)" == "By $key" ] || fail "$key: no K${key#*+}"
done

[ "$failures" -eq 0 ] && echo "subfolder_menu: all checks passed; screenshots in $artifacts"
exit $((failures > 0))
