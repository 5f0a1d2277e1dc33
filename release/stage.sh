#!/usr/bin/env bash
# Lays out one architecture's package from a release build: `cmake --install` of the build (the
# deployment, the SDK and its CMake package), the documents a host developer and a site need, the
# notices of the compiler's runtime linked into every binary, and the list of what to deploy.
# Every executable and library is then stripped; its debugging information goes to a .debug file
# at the same path under DEBUG_OUT, which the stripped binary names in its debug link. Last, the
# package is checked against the list of what ships (check.sh).
# usage: release/stage.sh SOURCE BUILD x86|x64 OUT DEBUG_OUT
set -euo pipefail
src=$(cd "$1" && pwd) build=$2 arch=$3 out=$4 debug_out=$5
here=$(cd "$(dirname "$0")" && pwd)
cache() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
objcopy=$(cache CMAKE_OBJCOPY)
suffix="" bits=32
[ "$arch" = x64 ] && suffix=64 bits=64

rm -rf "$out" "$debug_out"
cmake --install "$build" --prefix "$out" >/dev/null
for doc in README.md CHANGELOG.md docs/hosts.md docs/sites.md docs/dialog.md; do
    if [ -f "$src/$doc" ]; then
        mkdir -p "$(dirname "$out/$doc")"
        cp "$src/$doc" "$out/$doc"
    fi
done
"$here/notices.sh" >"$out/THIRD-PARTY-NOTICES.txt"

binaries=$(cd "$out" && find "bin$suffix" -type f \( -name '*.dll' -o -name '*.exe' \) | LC_ALL=C sort)
# objcopy stamps the PE header it writes with the time of day unless SOURCE_DATE_EPOCH names one:
# 0 keeps what the linker wrote, no time at all.
for f in $binaries; do
    mkdir -p "$(dirname "$debug_out/$f")"
    SOURCE_DATE_EPOCH=0 "$objcopy" --only-keep-debug "$out/$f" "$debug_out/$f.debug"
    SOURCE_DATE_EPOCH=0 "$objcopy" --strip-all --add-gnu-debuglink="$debug_out/$f.debug" "$out/$f"
done

version=$(sed -n 's/^#define VORLANX_VERSION_STRING "\(.*\)"/\1/p' "$src/include/vorlanx.h")
{
    sed -e "s/@VERSION@/$version/g" -e "s/@ARCH@/$arch/g" -e "s/@BITS@/$bits/g" \
        -e "s/@BIN@/bin$suffix/g" -e "s/@LIB@/lib$suffix/g" "$here/DEPLOY.txt.in"
    for f in $binaries; do echo "    $f"; done
} >"$out/DEPLOY.txt"
"$here/check.sh" "$out" "$arch" "$(cache CMAKE_OBJDUMP)"
