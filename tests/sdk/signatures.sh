#!/usr/bin/env bash
# A signed release as a site makes and checks one: a throwaway authority issues a code-signing
# certificate, scripts/release --sign signs with it in the release tests' clone (whose builds are
# done), and every executable and library in both zips and in the NuGet package must carry an
# Authenticode signature with SHA-256 that verifies against that authority; the checksums must be
# those of the signed files, and the signed x86 library must still load and browse (release_host).
# The clone's unsigned release is put back for the other tests.
# usage: signatures.sh CLONE TOOLCHAIN_FILE TOOLS_FOLDER
set -uo pipefail
clone=$1 toolchain=$2 tools=$3
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/helpers.sh"
work=$(mktemp -d)
trap 'rm -rf "$clone/dist" && mv "$work/unsigned" "$clone/dist"; rm -rf "$work"' EXIT
cp -a "$clone/dist" "$work/unsigned" || exit 1

cd "$work"
openssl req -x509 -newkey rsa:2048 -nodes -days 30 -subj "/CN=vorlanx throwaway authority" \
    -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign \
    -keyout ca.key -out ca.pem 2>/dev/null &&
openssl req -newkey rsa:2048 -nodes -subj "/CN=vorlanx throwaway signer" \
    -keyout signer.key -out signer.csr 2>/dev/null &&
printf 'basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n' >ext &&
openssl x509 -req -days 30 -in signer.csr -CA ca.pem -CAkey ca.key -set_serial 1 -extfile ext \
    -out signer.pem 2>/dev/null &&
export VORLANX_SIGN_PASSWORD=throwaway &&
openssl pkcs12 -export -passout env:VORLANX_SIGN_PASSWORD -inkey signer.key -in signer.pem \
    -certfile ca.pem -out signer.pfx || exit 1
start=$(date +%s)
"$clone/scripts/release" --sign "$work/signer.pfx" >release.log 2>&1 || { tail -n 40 release.log; exit 1; }
echo "signed release in $(($(date +%s) - start)) s"

dist=$clone/dist
(cd "$dist" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match the files of $dist"
verified=0
for package in "$dist"/vorlanx-*-x86.zip "$dist"/vorlanx-*-x64.zip "$dist"/vorlanx.*.nupkg; do
    unzip -q "$package" -d "${package##*/}" || { fail "$package does not unzip"; continue; }
    binaries=$(find "${package##*/}" -iname '*.dll' -o -iname '*.exe')
    [ -n "$binaries" ] || fail "${package##*/} holds no binaries"
    for binary in $binaries; do
        report=$(osslsigncode verify -CAfile ca.pem -in "$binary" 2>&1)
        if [ $? -ne 0 ] || [[ $report != *"Message digest algorithm  : SHA256"* ]]; then
            fail "$binary is not signed with SHA-256 by that authority"
        fi
        verified=$((verified + 1))
    done
done
"$here/release_host.sh" "$(ls "$dist"/vorlanx-*-x86.zip)" x86 "$toolchain" "$tools" || fail "the signed library"

[ "$failures" -eq 0 ] && echo "ok: $verified signatures verified; the checksums match; the signed library browses"
exit $((failures > 0))
