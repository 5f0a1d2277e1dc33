#!/usr/bin/env bash
# The SDK as a host developer gets it: `cmake --install` of both architectures' build folders into
# one folder, `cpack` makes a zip of the same tree, and a host project finds the package with
# find_package(vorlanx), which picks the import library of the host's size; the host builds with
# this build's cross compiler and runs under Wine against the installed deployment of its size.
# usage: sdk_install.sh BUILD_FOLDER OTHER_ARCH_BUILD_FOLDER C_COMPILER bin|bin64
set -uo pipefail
build=$1 other=$2 compiler=$3 deployment=$4
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

[ -f "$other/cmake_install.cmake" ] || { echo "FAIL: build the other architecture too ($other)"; exit 1; }
for b in "$build" "$other"; do
    cmake --install "$b" --prefix "$work/sdk" >/dev/null || exit 1
done
layout="include/vorlanx.h lib/cmake/vorlanx/vorlanxConfig.cmake
lib/cmake/vorlanx/vorlanxConfigVersion.cmake"
for size in "" 64; do
    layout+=" bin$size/vorlanx.dll bin$size/talmor.dll bin$size/ORVENT.dll bin$size/Ostrel.dll
bin$size/vorlanxres.dll bin$size/vorlanxhost.exe
lib$size/libvorlanx.dll.a lib$size/vorlanx.lib lib$size/vorlanx.def"
    for tag in de fr es it pt-BR pl ja zh-CN ko; do
        layout+=" bin$size/lang/$tag/vorlanxres.dll"
    done
done
for f in $layout; do
    [ -f "$work/sdk/$f" ] || fail "the SDK has no $f"
done

(cd "$build" && cpack -G ZIP -B "$work/package" >/dev/null) || fail "cpack failed"
listing=$(cmake -E tar tf "$work"/package/*.zip 2>/dev/null)
for f in $layout; do
    [[ $listing == *"/$f"* ]] || fail "the zip has no $f"
done

cmake -S "$here/host_project" -B "$work/host" -DCMAKE_SYSTEM_NAME=Windows \
      -DCMAKE_C_COMPILER="$compiler" -DCMAKE_PREFIX_PATH="$work/sdk" \
      >"$work/configure.log" 2>&1 || { cat "$work/configure.log"; exit 1; }
cmake --build "$work/host" >"$work/build.log" 2>&1 || { cat "$work/build.log"; exit 1; }

bin=$work/sdk/$deployment
cp "$work/host/sdk_host.exe" "$bin/"
mkdir -p "$work/1/userroot/storage/AREA1"
printf '[login]\naccess = open\n' >"$work/1/userroot/storage/AREA1/login.ctl"
printf '[devices]\n1 = Z:%s\n' "${work//\//\\}\\1" >"$bin/storage.ini"
out=$(cd / && timeout 60 wine "$bin/sdk_host.exe" 2>&1 | tr -d '\r')
expected='browse:
new: 1
edit: 1
retrieve: 1 [CAT2] [edited]'
[ "$out" == "$expected" ] || fail "the host printed '$out', not '$expected'"

[ "$failures" -eq 0 ] && echo "ok: installed, zipped, found, built and ran"
exit $((failures > 0))
