#!/usr/bin/env bash
# A host built the way Microsoft's toolchain builds one: clang for the MSVC target, lld-link,
# the deployment's lib/vorlanx.lib and msvcr100.dll for its runtime. It runs under Wine against
# our store through all four exports.
# usage: msvc_link.sh BIN_FOLDER x86|x64
set -uo pipefail
bin=$1 target=i686-pc-windows-msvc machine=i386
[ "$2" = x64 ] && target=x86_64-pc-windows-msvc machine=i386:x86-64
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

clang --target=$target -Wall -Werror -I"$here/msvc" -I"$bin/include" \
      -c "$here/msvc/host.c" -o "$work/host.obj" || exit 1
llvm-dlltool -m $machine -d "$here/msvc/msvcr100.def" -l "$work/msvcr100.lib" || exit 1
lld-link /nologo /subsystem:console /nodefaultlib /out:"$work/host.exe" \
         "$work/host.obj" "$bin/lib/vorlanx.lib" "$work/msvcr100.lib" || exit 1

cp "$bin"/*.dll "$work"/
mkdir -p "$work/1/userroot/storage/AREA1"
printf '[login]\naccess = open\n' >"$work/1/userroot/storage/AREA1/login.ctl"
printf '[devices]\n1 = Z:%s\n' "${work//\//\\}\\1" >"$work/storage.ini"

out=$(cd / && timeout 60 wine "$work/host.exe" 2>&1 | tr -d '\r')
expected='browse: []
new: 1
edit: 1
retrieve: 1 [CAT2] [changed]'
if [ "$out" != "$expected" ]; then
    printf 'FAIL: the host printed\n%s\ninstead of\n%s\n' "$out" "$expected"
    exit 1
fi
echo "ok: a host linked by lld-link against vorlanx.lib ran all four exports"
