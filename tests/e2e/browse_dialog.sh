#!/usr/bin/env bash
# vorlanxhost.exe browse in a process of its own on the display of the test run: the dialog
# opens on our store, a screenshot of it is kept, and closing it with real clicks on Cancel and
# on the close box prints an empty line and exits 0.
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
wineserver -p5 </dev/null &>/dev/null

# run_and_close SHOT X Y: opens the browser on device 1, keeps a screenshot in SHOT, closes it
# with a click at X, Y, and checks what the host printed.
run_and_close() {
    (cd / && wine "$work/vorlanxhost.exe" browse 1 AREA1 >"$work/out" 2>&1) &
    local pid=$!
    local window
    window=$(wait_for_window "Browse for Storage Area" "$pid")
    if [ -z "$window" ]; then
        fail "the dialog did not show"
    else
        screenshot "$1"
        click_in "$window" "$2" "$3"
    fi
    wait_for_exit "$pid"
    wait "$pid"
    local status=$?
    [ "$status" -eq 0 ] || fail "browse exited $status"
    [ "$(tr -d '\r' <"$work/out")" == "" ] || fail "browse printed '$(cat "$work/out")'"
}

run_and_close "$artifacts/browse.png" 334 308             # Cancel
run_and_close "$artifacts/browse-again.png" 474 12        # the close box

[ "$failures" -eq 0 ] && echo "browse_dialog: all checks passed; screenshots in $artifacts"
exit $((failures > 0))
