#!/usr/bin/env bash
# A signed release as a site makes and checks one: a throwaway authority's code-signing
# certificate, scripts/release --sign with it in the release tests' clone, and then every
# executable and library in both zips and the NuGet package must verify against that authority
# with SHA-256, the checksums must be the signed files', and the signed x86 library must still
# load and browse (release_host). The clone's unsigned release is put back.
# usage: signatures.sh CLONE TOOLCHAIN_FILE TOOLS_FOLDER
set -uo pipefail
clone=$1 here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/helpers.sh"
work=$(mktemp -d)
trap 'rm -rf "$clone/dist" && mv "$work/unsigned" "$clone/dist"; rm -rf "$work"' EXIT
cp -a "$clone/dist" "$work/unsigned" && cd "$work" || exit 1
export VORLANX_SIGN_PASSWORD=throwaway
{ openssl req -x509 -newkey rsa:2048 -nodes -days 30 -subj "/CN=throwaway authority" \
      -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign -keyout ca.key -out ca.pem &&
  openssl req -newkey rsa:2048 -nodes -subj "/CN=throwaway signer" -keyout signer.key -out signer.csr &&
  openssl x509 -req -days 30 -in signer.csr -CA ca.pem -CAkey ca.key -set_serial 1 -out signer.pem -extfile \
      <(printf 'basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n') &&
  openssl pkcs12 -export -passout env:VORLANX_SIGN_PASSWORD -inkey signer.key -in signer.pem -out signer.pfx
} >openssl.log 2>&1 || { cat openssl.log; exit 1; }
"$clone/scripts/release" --sign "$work/signer.pfx" >release.log 2>&1 || { tail -n 40 release.log; exit 1; }

dist=$clone/dist verified=0
(cd "$dist" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match the files of $dist"
for package in "$dist"/vorlanx-*-x86.zip "$dist"/vorlanx-*-x64.zip "$dist"/vorlanx.*.nupkg; do
    unzip -q "$package" -d "${package##*/}" || fail "$package does not unzip"
    for binary in $(find "${package##*/}" -name '*.dll' -o -name '*.exe'); do
        report=$(osslsigncode verify -CAfile ca.pem -in "$binary" 2>&1) &&
            [[ $report == *"digest algorithm  : SHA256"* ]] || fail "$binary is not signed with SHA-256 by it"
        verified=$((verified + 1))
    done
done
[ "$verified" -ge 40 ] || fail "only $verified binaries in the packages"
"$here/release_host.sh" "$(ls "$dist"/vorlanx-*-x86.zip)" x86 "$2" "$3" || fail "the signed library"
[ "$failures" -eq 0 ] && echo "ok: $verified signatures verified; the checksums match; the signed library browses"
exit $((failures > 0))
