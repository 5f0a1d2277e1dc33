#!/usr/bin/env bash
# A staged package holds what release/contents.txt lists and nothing else, and its binaries
# import nothing but Windows' own libraries, the C runtime the host brings and each other: so
# nothing that is not ours ships, and nothing that a deployment lacks is needed.
# usage: release/check.sh PACKAGE_FOLDER x86|x64 OBJDUMP
set -euo pipefail
top=$1 arch=$2 objdump=$3
here=$(cd "$(dirname "$0")" && pwd)
suffix=""
[ "$arch" = x64 ] && suffix=64
allowed=" kernel32.dll user32.dll gdi32.dll comctl32.dll version.dll advapi32.dll msvcr100.dll "
allowed+="talmor.dll orvent.dll vorlanx.dll "
failures=0

expected=$(sed -e "s|@BIN@|bin$suffix|" -e "s|@LIB@|lib$suffix|" "$here/contents.txt" | LC_ALL=C sort)
found=$(cd "$top" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
while read -r f; do
    echo "release: $arch package: unexpected $f" >&2
    failures=$((failures + 1))
done < <(comm -13 <(echo "$expected") <(echo "$found"))
while read -r f; do
    echo "release: $arch package: missing $f" >&2
    failures=$((failures + 1))
done < <(comm -23 <(echo "$expected") <(echo "$found"))

for f in $(grep -E '\.(dll|exe)$' <<<"$found"); do
    for dll in $("$objdump" -p "$top/$f" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z'); do
        if [[ $allowed != *" $dll "* ]]; then
            echo "release: $arch package: $f imports $dll" >&2
            failures=$((failures + 1))
        fi
    done
done
exit $((failures > 0))
