#!/usr/bin/env bash
# Lays out the native NuGet package from the staged x86 and x64 packages: build/native/ with the
# .targets that Visual Studio imports, the header, each platform's import library, and each
# platform's DLLs with the languages' resource libraries (no host program: nothing but what a
# host loads is copied beside it).
# usage: release/nuget.sh SOURCE STAGE VERSION OUT
set -euo pipefail
src=$1 stage=$2 version=$3 out=$4
here=$(cd "$(dirname "$0")" && pwd)
x86=$stage/x86/vorlanx-$version-x86 x64=$stage/x64/vorlanx-$version-x64
native=$out/build/native
rm -rf "$out"
mkdir -p "$out/_rels" "$native/include" "$native/lib/Win32" "$native/lib/x64" "$native/bin"
sed "s/@VERSION@/$version/g" "$here/nuget/package-manifest.xml.in" >"$out/vorlanx.nuspec"  # NuGet names its manifest so
cp "$here/nuget/[Content_Types].xml" "$out/"
cp "$here/nuget/_rels/.rels" "$out/_rels/"
cp "$here/nuget/vorlanx.targets" "$native/"
cp "$src/include/vorlanx.h" "$native/include/"
cp "$x86/lib/vorlanx.lib" "$native/lib/Win32/"
cp "$x64/lib64/vorlanx.lib" "$native/lib/x64/"
cp -r "$x86/bin" "$native/bin/Win32"
cp -r "$x64/bin64" "$native/bin/x64"
rm "$native/bin/Win32/vorlanxhost.exe" "$native/bin/x64/vorlanxhost.exe"
cp "$x86/README.md" "$x86/THIRD-PARTY-NOTICES.txt" "$out/"
