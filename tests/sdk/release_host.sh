#!/usr/bin/env bash
# The release as a host developer takes it: one architecture's zip unpacked into an empty folder
# away from the build tree, a host built with CMake against that folder alone and run under Wine
# against the unpacked deployment: the category calls, the dialog chosen with real clicks, and
# the dialog in German once its resource library is copied beside vorlanx.dll.
# usage: release_host.sh ZIP x86|x64 TOOLCHAIN_FILE TOOLS_FOLDER
set -uo pipefail
zip=$1 toolchain=$3 SCREENPOINT=$4/screenpoint.exe
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/xdriver.sh"
. "$here/../../scripts/helpers.sh"
work=$(mktemp -d /tmp/vorlanx-host.XXXXXX)
trap 'rm -rf "$work"' EXIT
unzip -q "$zip" -d "$work" || exit 1
top=$work/$(basename "$zip" .zip)
bin=$top/bin && [ "$2" = x64 ] && bin=$top/bin64

# No package registry: the unpacked folder is the only place the package can come from.
cmake -S "$here/host_project" -B "$work/host" --toolchain "$toolchain" -DCMAKE_PREFIX_PATH="$top" \
      -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF -DCMAKE_FIND_USE_SYSTEM_PACKAGE_REGISTRY=OFF \
      >"$work/log" 2>&1 && cmake --build "$work/host" >>"$work/log" 2>&1 || { cat "$work/log"; exit 1; }
grep -qx "vorlanx_DIR:PATH=$top/lib/cmake/vorlanx" "$work/host/CMakeCache.txt" ||
    fail "the package was found elsewhere: $(grep vorlanx_DIR "$work/host/CMakeCache.txt")"

cp "$work/host/sdk_host.exe" "$bin/" || exit 1
make_area "$work/1" AREA1 open
make_area "$work/c" PAYROLL open
printf '[devices]\nC: = %s\n1 = %s\n' "$(winpath "$work/c")" "$(winpath "$work/1")" >"$bin/storage.ini"
out=$(cd / && timeout 60 wine "$bin/sdk_host.exe" 2>&1 | tr -d '\r')
[ "$out" == $'browse:\nnew: 1\nedit: 1\nretrieve: 1 [CAT2] [edited]' ] || fail "the host printed '$out'"

# dialog EXPECTED TITLE PART...: the host's dialog, clicked part by part; checks what it printed.
dialog() {
    local expected=$1 title=$2 part pid
    shift 2
    (cd / && wine "$bin/sdk_host.exe" dialog >"$work/out" 2>&1) &
    pid=$!
    [ -n "$(wait_for_window "$title" $pid)" ] || fail "no dialog titled '$title' showed"
    for part in "$@"; do click "$title" $part; done
    wait_for_exit $pid
    [ "$(tr -d '\r' <"$work/out")" == "browse:$expected" ] || fail "the dialog gave '$(cat "$work/out")'"
}
dialog "C:PAYROLL" "Browse for Storage Area" "item C: PAYROLL" "control 1"
cp "$bin/lang/de/vorlanxres.dll" "$bin/vorlanxres.dll"
dialog "" "Speicherbereich auswählen" "control 2"
[ "$failures" -eq 0 ] && echo "ok: $(basename "$zip") unpacked, found, built, ran, chose; in German too"
exit $((failures > 0))
