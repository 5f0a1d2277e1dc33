#!/usr/bin/env bash
# vorlanxhost.exe browse in a process of its own on the display of the test run, driven with real
# clicks: opening a device, choosing an area and pressing OK prints its path; Cancel and the close
# box print an empty line; the German resource library gives the German dialog. Screenshots are
# kept.
# usage: browse_dialog.sh BIN_FOLDER ARTIFACT_FOLDER
set -uo pipefail
bin=$1
artifacts=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/xdriver.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$bin"/*.dll "$bin"/vorlanxhost.exe "$work"/

# area DEVICE AREA ACCESS [READONLY [HIDDEN]]
area() {
    mkdir -p "$work/$1/userroot/storage/$2"
    printf '[login]\naccess = %s\nreadonly = %s\nhidden = %s\n' "$3" "${4:-no}" "${5:-no}" \
        >"$work/$1/userroot/storage/$2/login.ctl"
}
area c PAYROLL open
area c ARCHIVE blocked
area c LEGAL restricted
area 1 AREA1 open
mkdir -p "$work/1/userroot/storage/AREA1/CAT/SUB" "$work/1/userroot/storage/AREA1/CAT2"
area 1 AREA2 open yes
area 1 AREA3 restricted
area 1 SECRET open no yes
printf '[devices]\nC: = Z:%s\n1 = Z:%s\n' "${work//\//\\}\\c" "${work//\//\\}\\1" >"$work/storage.ini"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# run_browser EXPECTED SHOT CLICK...: opens the browser on device 1, clicks at each "X Y" in turn
# (positions within the dialog as Wine lays it out in Tahoma 8), keeps a screenshot before the
# last click, and checks what the host printed.
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
            click_in "$window" ${1}
            shift
        done
        screenshot "$shot"
        click_in "$window" ${1}
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
# Rows are 16 pixels apart from the root at y 72; on open: root, C:, 1:, AREA1, AREA2, AREA3.
run_browser "C:PAYROLL" "$artifacts/browse-chosen.png" \
    "25 89" \
    "90 137" \
    "237 308"                                  # open C:, click PAYROLL (its third area), OK
run_browser "" "$artifacts/browse.png" "90 121" "334 308"   # click AREA1, then Cancel
run_browser "" "$artifacts/browse-closed.png" "474 12"     # the close box

# With the German resource library beside the library: its dialog, its strings.
cp "$bin/lang/de/vorlanxres.dll" "$work/vorlanxres.dll"
title="Speicherbereich auswählen"
run_browser "" "$artifacts/browse-de.png" "334 308"         # Abbrechen

[ "$failures" -eq 0 ] && echo "browse_dialog: all checks passed; screenshots in $artifacts"
exit $((failures > 0))
