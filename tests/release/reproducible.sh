#!/usr/bin/env bash
# The release is reproducible: the release that the release tests made (scripts/release in its
# clone) is built once more from the same committed tree, copied into a folder whose path has
# another length, at another time and without SOURCE_DATE_EPOCH; both builds are staged (stripped
# binaries, debug files, SDK) for both architectures and zipped, and every file and every zip must
# be byte-identical, and no file may hold the path it was built in.
# usage: reproducible.sh RELEASE_CLONE WORK
set -uo pipefail
clone=$1 work=$2
release=$clone/build/release
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

a=$work/a b=$work/a-folder-of-another-length
# The second copy keeps each file's time: a folder kept from an earlier run rebuilds only what changed.
rm -rf "$a" "$b/src" "$b/stage"
mkdir -p "$b/src"
tar -C "$release/src" -cf - . | tar -C "$b/src" -xf - || exit 1
for arch in x86 x64; do
    (unset SOURCE_DATE_EPOCH; "$release/src/release/build.sh" "$b/src" "$b/$arch" $arch) || exit 1
    for side in "$a:$release/src:$release/$arch" "$b:$b/src:$b/$arch"; do
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
for path in "$release" "$b"; do
    leaks=$(grep -rlF "$path" "$a/stage" "$b/stage")
    [ -z "$leaks" ] || fail "the path $path is in" $leaks
done
grep -q '\.dll\.debug$' <<<"$files" || fail "no debug files were staged"

[ "$failures" -eq 0 ] && echo "ok: $count files and 4 zips byte-identical from two folders"
exit $((failures > 0))
