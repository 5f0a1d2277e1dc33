#!/usr/bin/env bash
# Writes the release notes: this version's part of CHANGELOG.md, whether and how the binaries
# are signed, the packages with their sizes, the binaries' sizes stripped against unstripped
# (as the build made them), and how to check a release.
# usage: release/notes.sh SOURCE VERSION SIGNATURE STAGE DIST WORK COMMIT
set -euo pipefail
src=$1 version=$2 signature=$3 stage=$4 dist=$5 work=$6 commit=$7
sum() { awk '{s += $1} END {print s + 0}'; }

echo "# vorlanx $version"
echo
echo "Built from the commit $commit."
echo
awk -v v="$version" '/^## / {on = index($0, "[" v "]") > 0; next} on' "$src/CHANGELOG.md"
echo "## Signature"
echo
echo "$signature."
echo
echo "## Packages"
echo
echo "| file | bytes |"
echo "|---|---|"
(cd "$dist" && find . -maxdepth 1 -type f | sed 's|^\./||' | LC_ALL=C sort |
    while read -r f; do echo "| \`$f\` | $(stat -c %s "$f") |"; done)
echo
echo "## Binaries, stripped against unstripped"
echo
echo "| architecture | shipped (stripped) | unstripped | debug files |"
echo "|---|---|---|---|"
for arch in x86 x64; do
    top=$stage/$arch/vorlanx-$version-$arch
    binaries=$(cd "$top" && find . -type f \( -name '*.dll' -o -name '*.exe' \) | sed 's|^\./||')
    stripped=$(for f in $binaries; do stat -c %s "$top/$f"; done | sum)
    built=$(for f in $binaries; do stat -c %s "$work/$arch/bin/${f#*/}"; done | sum)
    debug=$(find "$stage/$arch-debug" -type f -name '*.debug' -printf '%s\n' | sum)
    echo "| $arch | $stripped | $built | $debug |"
done
echo
echo "## Checking this release"
echo
echo "- \`sha256sum -c SHA256SUMS\` in the folder of the downloaded files."
echo "- A signed release: \`osslsigncode verify -CAfile CA.pem -in vorlanx.dll\` with the"
echo "  site's certificate authority, or the file's Properties, Digital Signatures, on Windows."
echo "- Against the source: \`scripts/release\` on a clean checkout of the same commit gives"
echo "  byte-identical unsigned packages (docs/contributing.md, \"Making a release\")."
