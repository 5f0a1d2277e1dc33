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
window=$(wait_for_window "Browse for Storage Area" "$pid")
if [ -z "$window" ]; then
    fail "the browser did not show"
else
    title="Browse for Storage Area"
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

# The same by the keyboard alone, with Shift+F10 and with the Menu key: to AREA1 from the tree's
# top, Space, the menu (at the item, the pointer parked far off), Esc, the menu again, New, OK.
for key in shift+F10 Menu; do
    (cd / && wine "$work/vorlanxbrowser.exe" 1 >"$work/out" 2>&1) & pid=$!
    wait_for_window "$title" "$pid" >/dev/null
    xdotool mousemove 1200 1000 && press Tab Tab Tab Down Down Down space "$key" Escape
    [ -z "$(point - menuitem 1 1)" ] || fail "$key: Esc left the menu open"
    press "$key" && screenshot "$artifacts/subfolder-menu-${key#*+}.png"
    set -- $(point "$title" item 1: AREA1) $(point - menuitem 1 3)
    (($# == 4)) && (($3 > $1 && $3 < $1 + 200 && $4 > $2 && $4 < $2 + 60)) ||
        fail "$key: the item, the menu at $*"
    press Down Return && wait_for_window "New SubFolder" "$pid" >/dev/null
    xdotool type "K${key#*+}" && press Tab && xdotool type "By $key" && press Return
    sleep 1 && press Return   # OK
    wait_for_exit "$pid"
    [ "$(tr -d '\r' <"$work/out")" == "1:AREA1" ] || fail "$key: printed '$(cat "$work/out")'"
    [ "$(cat "$area/K${key#*+}/category.txt")" == "By $key" ] || fail "$key: no K${key#*+}"
done
[ "$failures" -eq 0 ] && echo "subfolder_menu: all checks passed; screenshots in $artifacts"
exit $((failures > 0))
