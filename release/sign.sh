#!/usr/bin/env bash
# Signs every executable and library under the given folders with Authenticode (SHA-256), with
# the key and certificate of a PKCS#12 file whose password is in VORLANX_SIGN_PASSWORD. Asks a
# time-stamp server (RFC 3161) only when one is named: a release needs no network.
# usage: VORLANX_SIGN_PASSWORD=... release/sign.sh CERT.pfx TIMESTAMP_URL|"" FOLDER...
set -euo pipefail
cert=$1 timestamp=$2
shift 2
secret=$(mktemp)
trap 'rm -f "$secret"' EXIT
# The password goes through a file of ours, not the command line that every process can read.
printf '%s' "${VORLANX_SIGN_PASSWORD?}" >"$secret"
options=(-pkcs12 "$cert" -readpass "$secret" -h sha256 -n vorlanx)
[ -n "$timestamp" ] && options+=(-ts "$timestamp")
find "$@" -type f \( -name '*.dll' -o -name '*.exe' \) -print0 | LC_ALL=C sort -z |
while IFS= read -r -d '' f; do
    osslsigncode sign "${options[@]}" -in "$f" -out "$f.signed" >/dev/null ||
        { rm -f "$f.signed"; echo "release: signing $f failed" >&2; exit 1; }
    mv "$f.signed" "$f"
done
