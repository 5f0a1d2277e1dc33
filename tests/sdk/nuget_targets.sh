#!/usr/bin/env bash
# The NuGet package as a Visual Studio C++ project takes it: a project that imports
# build/native/vorlanx.targets, built by Mono's xbuild for each platform, must get an include
# folder holding vorlanx.h, the import library of its platform's machine, and every file of
# bin/<platform> copied to its output folder at the same relative path (resource libraries copied
# flat would overwrite the English one). xbuild ignores ItemDefinitionGroup: the definitions are
# made properties here for it to evaluate.
# usage: nuget_targets.sh NUPKG
set -uo pipefail
. "$(dirname "$0")/../../scripts/helpers.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
native=$work/build/native
unzip -q "$1" -d "$work" && [ -f "$native/vorlanx.targets" ] || { echo "FAIL: no build/native/vorlanx.targets"; exit 1; }
python3 - "$native/vorlanx.targets" "$native/probe.targets" <<'PYTHON' || exit 1
import re, sys, xml.etree.ElementTree as ET
ns = '{http://schemas.microsoft.com/developer/msbuild/2003}'
ET.register_namespace('', ns[1:-1])
tree = ET.parse(sys.argv[1])
for group in tree.getroot().iter(ns + 'ItemDefinitionGroup'):
    group.tag = ns + 'PropertyGroup'
    for item in list(group):
        group.remove(item)
        for meta in item:  # ClCompile's AdditionalIncludeDirectories: ClCompileAdditionalIncludeDirectories
            meta.tag, meta.text = item.tag + meta.tag[len(ns):], re.sub(r'%\([^)]*\)', '', meta.text or '')
            group.append(meta)
tree.write(sys.argv[2])
PYTHON
cat >"$work/host.vcxproj" <<'PROJECT'
<Project DefaultTargets="Build" ToolsVersion="4.0" xmlns="http://schemas.microsoft.com/developer/msbuild/2003">
  <Import Project="build/native/probe.targets" />
  <Target Name="Build">
    <Message Importance="high" Text="include|$(ClCompileAdditionalIncludeDirectories)" />
    <Message Importance="high" Text="link|$(LinkAdditionalDependencies)" />
  </Target>
</Project>
PROJECT

# value NAME: the paths of the ';' list that xbuild printed as NAME, one a line, with '/'.
value() { sed -n "s/^[[:space:]]*$1|//p" <<<"$out" | tr ';\\' '\n/' | sed '/^ *$/d'; }
for platform in Win32:Win32:i386 x86:Win32:i386 x64:x64:x86-64; do
    IFS=: read -r name folder machine <<<"$platform"
    out=$(xbuild /nologo /v:minimal /p:Platform="$name" /p:OutDir="$work/out/$name/" "$work/host.vcxproj" 2>&1) ||
        { fail "xbuild failed for $name: $out"; continue; }
    [ -f "$(value include | head -n 1)/vorlanx.h" ] || fail "$name: no vorlanx.h in the include folders $(value include)"
    [ "$(value link)" = "$native/lib/$folder/vorlanx.lib" ] || fail "$name links '$(value link)'"
    for binary in "lib/$folder/vorlanx.lib" "bin/$folder/vorlanx.dll"; do
        [[ $(x86_64-w64-mingw32-objdump -f "$native/$binary") == *"format pe"*"-$machine"* ]] ||
            fail "$name: $binary is not for $machine"
    done
    diff -r "$native/bin/$folder" "$work/out/$name" >/dev/null ||
        fail "$name's output folder is not bin/$folder: $(cd "$work/out/$name" 2>/dev/null && find . -type f)"
done
[ "$failures" -eq 0 ] && echo "ok: Win32, x86 and x64 take their include folder, import library and DLLs"
exit $((failures > 0))
