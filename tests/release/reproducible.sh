#!/usr/bin/env bash
# The release is reproducible: the release that the release tests made (scripts/release in its
# clone, with SOURCE_DATE_EPOCH) and the tests' own builds of the same tree (in another folder,
# whose path has another length, at another time, without SOURCE_DATE_EPOCH) are staged the same
# way (stripped binaries, debug files, SDK) for both architectures and zipped; every file and
# every zip must be byte-identical, and no file may hold a path it was built in.
# usage: reproducible.sh RELEASE_CLONE SOURCE X86_BUILD X64_BUILD WORK
set -uo pipefail
clone=$1 source=$2 x86=$3 x64=$4 work=$5
release=$clone/build/release
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for build in "$x86" "$x64"; do
    if [ ! -f "$build/bin/vorlanx.dll" ]; then
        echo "skipped: no build in $build (scripts/build makes both)"
        exit 77
    fi
done
a=$work/release b=$work/tests
rm -rf "$work"
for arch in x86 x64; do
    build=$x86
    [ $arch = x64 ] && build=$x64
    for side in "$a:$release/src:$release/$arch" "$b:$source:$build"; do
        IFS=: read -r out src build <<<"$side"
        "$release/src/release/stage.sh" "$src" "$build" $arch "$out/stage/$arch/vorlanx" \
                                        "$out/stage/$arch-debug/vorlanx" || exit 1
        for part in $arch $arch-debug; do
            SOURCE_DATE_EPOCH=1700000000 "$release/src/release/zip.sh" "$out/$part.zip" "$out/stage/$part" ||
                exit 1
        done
    done
done

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
for path in "$release" "$source"; do
    leaks=$(grep -rlF "$path" "$a/stage" "$b/stage")
    [ -z "$leaks" ] || fail "the path $path is in" $leaks
done
grep -q '\.dll\.debug$' <<<"$files" || fail "no debug files were staged"

[ "$failures" -eq 0 ] && echo "ok: $count files and 4 zips byte-identical from two folders"
exit $((failures > 0))
