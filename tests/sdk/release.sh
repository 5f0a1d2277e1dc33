#!/usr/bin/env bash
# The release that the release tests take, made as a maintainer makes one: scripts/release in a
# clean clone that holds the tree as it is (edits to tracked files included). The clone is kept,
# so its builds are incremental, and the release is made again only when the tree has changed.
# usage: release.sh SOURCE_FOLDER RELEASE_FOLDER
set -euo pipefail
source=$1 release=$2 clone=$2/vorlanx
export GIT_AUTHOR_NAME=release GIT_AUTHOR_EMAIL=release@localhost
export GIT_COMMITTER_NAME=release GIT_COMMITTER_EMAIL=release@localhost
commit=$(git -C "$source" stash create)
commit=${commit:-$(git -C "$source" rev-parse HEAD)}
tree=$(git -C "$source" rev-parse "$commit^{tree}")
if [ "$(cat "$release/released" 2>/dev/null)" = "$tree" ]; then
    echo "ok: the release of this tree is there: $clone/dist"
    exit 0
fi
rm -f "$release/released"
[ -d "$clone/.git" ] || git clone -q --no-checkout "$source" "$clone"
git -C "$source" push -q -f "$clone" "$commit:refs/heads/release-test"
git -C "$clone" checkout -q -f --detach release-test
git -C "$clone" clean -q -fd
start=$(date +%s)
"$clone/scripts/release" >"$release/release.log" 2>&1 || { tail -n 40 "$release/release.log"; exit 1; }
echo "$tree" >"$release/released"
echo "ok: released in $(($(date +%s) - start)) s: $clone/dist"
