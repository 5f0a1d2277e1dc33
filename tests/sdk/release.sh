#!/usr/bin/env bash
# The release that the release tests take, made as a site makes one: scripts/release --sign in a
# clean clone, with a code-signing certificate of a throwaway authority (RELEASE_FOLDER/ca). The
# clone holds the tree as it is, edits included, and is kept, so its builds are incremental; the
# release is made again only when the tree has changed.
# usage: release.sh SOURCE_FOLDER RELEASE_FOLDER
set -euo pipefail
source=$1 release=$2
clone=$release/vorlanx ca=$release/ca
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
[ -d "$clone/.git" ] || git clone -q --shared --no-checkout "$source" "$clone"
git -C "$clone" checkout -q -f --detach "$commit"
git -C "$clone" clean -q -fd

rm -rf "$ca" && mkdir -p "$ca" && cd "$ca"
openssl req -x509 -newkey rsa:2048 -nodes -days 30 -subj "/CN=vorlanx throwaway authority" \
    -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign \
    -keyout ca.key -out ca.pem 2>/dev/null
openssl req -newkey rsa:2048 -nodes -subj "/CN=vorlanx throwaway signer" \
    -keyout signer.key -out signer.csr 2>/dev/null
printf 'basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n' >ext
openssl x509 -req -days 30 -in signer.csr -CA ca.pem -CAkey ca.key -set_serial 1 -extfile ext \
    -out signer.pem 2>/dev/null
export VORLANX_SIGN_PASSWORD=throwaway
openssl pkcs12 -export -passout env:VORLANX_SIGN_PASSWORD -inkey signer.key -in signer.pem \
    -certfile ca.pem -out signer.pfx

start=$(date +%s)
"$clone/scripts/release" --sign "$ca/signer.pfx" >"$release/release.log" 2>&1 ||
    { tail -n 40 "$release/release.log"; exit 1; }
echo "$tree" >"$release/released"
echo "ok: released in $(($(date +%s) - start)) s: $clone/dist"
