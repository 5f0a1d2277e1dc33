#!/usr/bin/env bash
# vorlanxhost.exe browse in a process of its own on the display of the test run, driven with real
# clicks: opening a device, choosing an area and pressing OK prints its path; Cancel and the close
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
printf '[devices]\nC: = Z:%s\n1 = Z:%s\n' "${work//\//\\}\\c" "${work//\//\\}\\1" >"$work/storage.ini"

# run_browser EXPECTED SHOT PART...: opens the browser on device 1, clicks each part of it in turn
# (as xdriver.sh's click names them), keeps a screenshot before the last click, and checks what
# the host printed.
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
            click "$title" $1
            shift
        done
        screenshot "$shot"
        click "$title" $1
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

# With the German resource library beside the library: its dialog, its strings.
cp "$bin/lang/de/vorlanxres.dll" "$work/vorlanxres.dll"
title="Speicherbereich auswählen"
run_browser "" "$artifacts/browse-de.png" "control 2"       # Abbrechen

[ "$failures" -eq 0 ] && echo "browse_dialog: all checks passed; screenshots in $artifacts"
exit $((failures > 0))
