#!/usr/bin/env bash
# vorlanxhost.exe browse in a process of its own on the display of the test run, driven with real
# clicks and keys: opening a device, choosing an area and pressing OK prints its path, with the
# mouse or with the keyboard alone; Cancel and the close box print an empty line; the German
# resource library gives the German dialog. Screenshots are kept.
# usage: browse_dialog.sh BIN_FOLDER TOOLS_FOLDER ARTIFACT_FOLDER
set -uo pipefail
bin=$1
SCREENPOINT=$2/screenpoint.exe
artifacts=$3
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/xdriver.sh"
. "$here/../../scripts/helpers.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$bin"/*.dll "$bin"/vorlanxhost.exe "$work"/

make_area "$work/c" PAYROLL open
make_area "$work/c" ARCHIVE blocked
make_area "$work/c" LEGAL restricted
make_area "$work/1" AREA1 open
mkdir -p "$work/1/userroot/storage/AREA1/CAT/SUB" "$work/1/userroot/storage/AREA1/CAT2"
make_area "$work/1" AREA2 open yes
make_area "$work/1" AREA3 restricted
make_area "$work/1" SECRET open no yes
make_area "$work/1" AREA4 blocked
mkdir -p "$work/2/userroot/storage"   # a device without areas
printf '[devices]\nC: = %s\n1 = %s\n2 = %s\n' "$(winpath "$work/c")" "$(winpath "$work/1")" \
    "$(winpath "$work/2")" >"$work/storage.ini"

# step PART: a click on the part (as xdriver.sh's click names it), "key KEYS..." typed, or
# "nomenu": no popup menu is open.
step() {
    case $1 in
        "key "*) xdotool key --delay 150 ${1#key }; sleep 0.5 ;;
        nomenu) ! wine "$SCREENPOINT" - menuitem 1 3 &>/dev/null || fail "a menu opened" ;;
        *) click "$title" $1 ;;
    esac
}

# run_browser EXPECTED SHOT STEP...: opens the browser on device 1, takes each step in turn, keeps
# a screenshot before the last one, and checks what the host printed.
run_browser() {
    local expected=$1 shot=$2
    shift 2
    (cd / && wine "$work/vorlanxhost.exe" browse 1 AREA1 >"$work/out" 2>&1) &
    local pid=$!
    local window
    window=$(wait_for_window "$title" "$pid")
    if [ -z "$window" ]; then
        fail "the dialog did not show"
    else
        while [ $# -gt 1 ]; do
            step "$1"
            shift
        done
        screenshot "$shot"
        step "$1"
    fi
    wait_for_exit "$pid"
    wait "$pid"
    local status=$?
    [ "$status" -eq 0 ] || fail "browse exited $status"
    local printed
    printed=$(tr -d '\r' <"$work/out")
    [ "$printed" == "$expected" ] || fail "browse printed '$printed', not '$expected'"
}

title="Browse for Storage Area"
run_browser "C:PAYROLL" "$artifacts/browse-chosen.png" "button C:" "item C: PAYROLL" "control 1"
run_browser "" "$artifacts/browse.png" "item 1: AREA1" "control 2"   # then Cancel
run_browser "" "$artifacts/browse-closed.png" "close"
run_browser "1:AREA1" "$artifacts/browse-device.png" "item 1: AREA2" "item 1: AREA1" "item C:" \
    "control 1"

# The keyboard alone: Tab to the tree (caret on AREA1), arrows, Space as a click, Enter for OK.
# Without the sub-folder menu, Shift+F10 and the Menu key open nothing.
run_browser "1:AREA2" "$artifacts/browse-keys.png" \
    "key Tab Tab Tab Down space space shift+F10 Menu" nomenu "key Return"
# Restricted AREA3 and blocked AREA4 add nothing; a device without areas stands for itself.
run_browser "2:" "$artifacts/browse-keys-blocked.png" \
    "key Tab Tab Tab Down Down space Down space Down space" "key Return"
# C: has areas: as the clicks above, Space on it takes its entries away and adds none.
run_browser "1:AREA1" "$artifacts/browse-keys-device.png" \
    "key Tab Tab Tab space Right Up Up space" "key Return"

# With the German resource library beside the library: its dialog, its strings.
cp "$bin/lang/de/vorlanxres.dll" "$work/vorlanxres.dll"
title="Speicherbereich auswählen"
run_browser "" "$artifacts/browse-de.png" "control 2"       # Abbrechen

[ "$failures" -eq 0 ] && echo "browse_dialog: all checks passed; screenshots in $artifacts"
exit $((failures > 0))
