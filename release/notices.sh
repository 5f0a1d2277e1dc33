#!/usr/bin/env bash
# Writes THIRD-PARTY-NOTICES.txt: the compiler's runtime that is linked statically into every
# binary, with the licence texts as the installed toolchain's packages state them, so the
# notices always belong to the toolchain that built the release.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
mingw_copyright=/usr/share/doc/mingw-w64-common/copyright
for f in "$mingw_copyright"; do
    [ -f "$f" ] || { echo "release: $f is missing; run scripts/setup" >&2; exit 1; }
done
cat "$here/notices/header.txt"
echo
cat "$here/notices/gcc-runtime-library-exception.txt"
echo
echo "======================================================================"
echo "mingw-w64 runtime and winpthreads (Debian's copyright file of mingw-w64)"
echo "======================================================================"
echo
cat "$mingw_copyright"
