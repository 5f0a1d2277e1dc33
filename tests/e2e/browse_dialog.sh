#!/usr/bin/env bash
# vorlanxhost.exe browse in a process of its own on the display of the test run, driven with real
# clicks or keys: opening a device, choosing an area and OK print its path; Cancel and the close
# box print an empty line; the German resource library gives the German dialog. Screenshots are
# kept.
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
printf '[devices]\nC: = Z:%s\n1 = Z:%s\n' "${work//\//\\}\\c" "${work//\//\\}\\1" >"$work/storage.ini"
mkdir -p "$work/2/userroot/storage" && echo "2 = $(winpath "$work/2")" >>"$work/storage.ini"

# step PART: a click on the part (as xdriver.sh's click names it), "key KEY..." or "nomenu".
step() {
    case $1 in
        "key "*) press ${1#key } ;;
        nomenu) [ -z "$(point - menuitem 1 1)" ] || fail "a menu opened" ;;
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
# Keys alone: Tab to the tree, arrows, Space as a click (twice), Enter; no menu here. Restricted
# AREA3, blocked AREA4: nothing; 2: (no areas) stands for itself; C: (areas) takes its own away.
run_browser "1:AREA2" "$artifacts/browse-keys.png" \
    "key Tab Tab Tab Down space space shift+F10 Menu" nomenu "key Return"
run_browser "2:" "$artifacts/browse-keys-blocked.png" \
    "key Tab Tab Tab Down Down space Down space Down space" "key Return"
run_browser "1:AREA1" "$artifacts/browse-keys-device.png" \
    "key Tab Tab Tab space Right Up Up space" "key Return"

# With the German resource library beside the library: its dialog, its strings.
cp "$bin/lang/de/vorlanxres.dll" "$work/vorlanxres.dll"
title="Speicherbereich auswählen"
run_browser "" "$artifacts/browse-de.png" "control 2"       # Abbrechen

[ "$failures" -eq 0 ] && echo "browse_dialog: all checks passed; screenshots in $artifacts"
exit $((failures > 0))
