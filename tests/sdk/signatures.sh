#!/usr/bin/env bash
# A signed release as a site's security team checks it: every executable and library in both zips
# and in the NuGet package carries an Authenticode signature with SHA-256 that verifies against
# the authority that issued the signing certificate, and the checksums are those of the signed
# files. (release_host runs the signed library, the dialog included.)
# usage: signatures.sh DIST_FOLDER AUTHORITY_CERTIFICATE
set -uo pipefail
dist=$1 ca=$2
. "$(dirname "$0")/../../scripts/helpers.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$dist" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match the files of $dist"
verified=0
for package in "$dist"/vorlanx-*-x86.zip "$dist"/vorlanx-*-x64.zip "$dist"/vorlanx.*.nupkg; do
    unzip -q "$package" -d "$work/${package##*/}" || { fail "$package does not unzip"; continue; }
    binaries=$(find "$work/${package##*/}" -iname '*.dll' -o -iname '*.exe')
    [ -n "$binaries" ] || fail "${package##*/} holds no binaries"
    for binary in $binaries; do
        report=$(osslsigncode verify -CAfile "$ca" -in "$binary" 2>&1)
        if [ $? -ne 0 ] || [[ $report != *"Message digest algorithm  : SHA256"* ]]; then
            fail "${binary#"$work/"} is not signed with SHA-256 by that authority"
        fi
        verified=$((verified + 1))
    done
done
[ "$failures" -eq 0 ] && echo "ok: $verified signatures verified; the checksums match"
exit $((failures > 0))
