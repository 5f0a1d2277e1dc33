#!/usr/bin/env bash
# The release is reproducible: the source, copied into two folders whose paths differ in length,
# is built and staged (stripped binaries, debug files, SDK) for both architectures in each, at
# different times, and zipped; every file and every zip must be byte-identical, and no file may
# hold the path it was built in.
# usage: reproducible.sh SOURCE WORK
set -uo pipefail
src=$(cd "$1" && pwd) work=$2
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

copies=("$work/a" "$work/a-folder-of-another-length")
# Both copies first, so that both builds see one source. tar keeps each file's time: a folder
# kept from an earlier run rebuilds only what changed.
for copy in "${copies[@]}"; do
    mkdir -p "$copy/src"
    tar -C "$src" --exclude=./build --exclude=./dist --exclude=./.git -cf - . | tar -C "$copy/src" -xf - ||
        exit 1
done
for copy in "${copies[@]}"; do
    for arch in x86 x64; do
        "$src/release/build.sh" "$copy/src" "$copy/$arch" $arch || exit 1
        "$src/release/stage.sh" "$copy/src" "$copy/$arch" $arch "$copy/stage/$arch/vorlanx" \
                                "$copy/stage/$arch-debug/vorlanx" || exit 1
        for part in $arch $arch-debug; do
            # The build itself runs without SOURCE_DATE_EPOCH, which the linker would take.
            SOURCE_DATE_EPOCH=1700000000 "$src/release/zip.sh" "$copy/$part.zip" "$copy/stage/$part" ||
                exit 1
        done
    done
done

a=${copies[0]} b=${copies[1]}
files=$(cd "$a/stage" && find . -type f | LC_ALL=C sort)
[ "$files" == "$(cd "$b/stage" && find . -type f | LC_ALL=C sort)" ] || fail "the two stages hold other files"
count=0
for f in $files; do
    count=$((count + 1))
    cmp -s "$a/stage/$f" "$b/stage/$f" || fail "$f differs"
done
for part in x86 x86-debug x64 x64-debug; do
    cmp -s "$a/$part.zip" "$b/$part.zip" || fail "$part.zip differs"
done
for copy in "${copies[@]}"; do
    leaks=$(grep -rlF "$copy" "$copy/stage")
    [ -z "$leaks" ] || fail "the path $copy is in" $leaks
done
grep -q '\.dll\.debug$' <<<"$files" || fail "no debug files were staged"

[ "$failures" -eq 0 ] && echo "ok: $count files and 4 zips byte-identical from two folders"
exit $((failures > 0))
