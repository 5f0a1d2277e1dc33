#!/usr/bin/env bash
# The release as a host developer takes it: the zip of one architecture unpacked into an empty
# folder away from the build tree, a host built with CMake against that folder alone, and run
# under Wine against the unpacked deployment: the category calls, the dialog chosen with real
# clicks, and the dialog in German once its resource library is copied beside vorlanx.dll.
# usage: release_host.sh ZIP x86|x64 TOOLCHAIN_FILE TOOLS_FOLDER
set -uo pipefail
zip=$1 arch=$2 toolchain=$3
SCREENPOINT=$4/screenpoint.exe
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/xdriver.sh"
. "$here/../../scripts/helpers.sh"
work=$(mktemp -d /tmp/vorlanx-host.XXXXXX)
trap 'rm -rf "$work"' EXIT

unzip -q "$zip" -d "$work/unpacked" || exit 1
top=$work/unpacked/$(basename "$zip" .zip)
bin=$top/bin
[ "$arch" = x64 ] && bin=$top/bin64
[ -f "$bin/vorlanx.dll" ] || { echo "FAIL: $(ls "$work/unpacked") holds no ${bin#"$work/unpacked/"}/vorlanx.dll"; exit 1; }

# No package registry either: the unpacked folder is the only place the package can come from.
cmake -S "$here/host_project" -B "$work/host" --toolchain "$toolchain" -DCMAKE_PREFIX_PATH="$top" \
      -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF -DCMAKE_FIND_USE_SYSTEM_PACKAGE_REGISTRY=OFF \
      >"$work/configure.log" 2>&1 || { cat "$work/configure.log"; exit 1; }
found=$(sed -n 's/^vorlanx_DIR:PATH=//p' "$work/host/CMakeCache.txt")
[ "$found" = "$top/lib/cmake/vorlanx" ] || fail "the package was found in '$found'"
cmake --build "$work/host" >"$work/build.log" 2>&1 || { cat "$work/build.log"; exit 1; }

cp "$work/host/sdk_host.exe" "$bin/"
make_area "$work/1" AREA1 open
make_area "$work/c" PAYROLL open
printf '[devices]\nC: = %s\n1 = %s\n' "$(winpath "$work/c")" "$(winpath "$work/1")" >"$bin/storage.ini"
out=$(cd / && timeout 60 wine "$bin/sdk_host.exe" 2>&1 | tr -d '\r')
expected='browse:
new: 1
edit: 1
retrieve: 1 [CAT2] [edited]'
[ "$out" == "$expected" ] || fail "the host printed '$out', not '$expected'"

# dialog EXPECTED TITLE PART...: the host's dialog, clicked part by part; checks what it printed.
dialog() {
    local expected=$1 title=$2
    shift 2
    (cd / && wine "$bin/sdk_host.exe" dialog >"$work/out" 2>&1) &
    local pid=$! part
    if [ -z "$(wait_for_window "$title" "$pid")" ]; then
        fail "no dialog titled '$title' showed"
    fi
    for part in "$@"; do click "$title" $part; done
    wait_for_exit "$pid"
    [ "$(tr -d '\r' <"$work/out")" == "browse:$expected" ] ||
        fail "the dialog gave '$(cat "$work/out")', not '$expected'"
}
dialog "C:PAYROLL" "Browse for Storage Area" "item C: PAYROLL" "control 1"
cp "$bin/lang/de/vorlanxres.dll" "$bin/vorlanxres.dll"
dialog "" "Speicherbereich auswählen" "control 2"

[ "$failures" -eq 0 ] && echo "ok: unpacked $(basename "$zip"), found, built, ran and chose, in English and German"
exit $((failures > 0))
