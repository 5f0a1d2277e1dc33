#!/usr/bin/env bash
# Builds what a release ships, for one architecture, from SOURCE into BUILD: as the tests' build
# builds it (what ships has its debugging information, which staging moves into the debug files),
# no flags of the caller's or of an older configuration of the folder added.
# usage: release/build.sh SOURCE BUILD x86|x64
set -euo pipefail
src=$(cd "$1" && pwd) build=$2 arch=$3
case $arch in
    x86) toolchain=mingw-i686.cmake ;;
    x64) toolchain=mingw-x86_64.cmake ;;
    *) echo "release: the architecture is x86 or x64, not '$arch'" >&2; exit 2 ;;
esac
mkdir -p "$build"
cmake -S "$src" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/$toolchain" \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_FLAGS= -DCMAKE_CXX_FLAGS= >"$build.configure.log" 2>&1 ||
    { cat "$build.configure.log" >&2; exit 1; }
cmake --build "$build" -j"$(nproc 2>/dev/null || echo 2)" --target vorlanx_shipped >"$build.build.log" 2>&1 ||
    { tail -50 "$build.build.log" >&2; exit 1; }
