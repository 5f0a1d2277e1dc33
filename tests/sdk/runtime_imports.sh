#!/usr/bin/env bash
# Every binary we ship runs on msvcr100.dll and none on msvcrt.dll: memory that one module
# allocates and another frees (the browse result, the lookup's list entries) meets one heap.
# usage: runtime_imports.sh BIN_FOLDER OBJDUMP
set -uo pipefail
bin=$1 objdump=$2
failures=0
for f in "$bin"/vorlanx.dll "$bin"/talmor.dll "$bin"/ORVENT.dll "$bin"/Ostrel.dll "$bin"/vorlanxhost.exe; do
    imports=$("$objdump" -p "$f" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
    if ! grep -qx msvcr100.dll <<<"$imports" || grep -qx msvcrt.dll <<<"$imports"; then
        echo "FAIL: $(basename "$f") imports:" $imports
        failures=$((failures + 1))
    fi
done
[ "$failures" -eq 0 ] && echo "ok: every shipped binary runs on msvcr100.dll"
exit $((failures > 0))
