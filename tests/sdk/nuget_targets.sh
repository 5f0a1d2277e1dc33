#!/usr/bin/env bash
# The NuGet package as a Visual Studio C++ project takes it, for each platform: a project that
# imports build/native/vorlanx.targets and is built by Mono's xbuild must get an include folder
# that holds vorlanx.h, the import library of its own platform, and every file of bin/<platform>
# copied to its output folder at the same relative path (lang/<tag>/ kept: resource libraries
# copied flat would overwrite the English one). xbuild ignores ItemDefinitionGroup: the
# definitions are made properties here for it to evaluate.
# usage: nuget_targets.sh NUPKG
set -uo pipefail
nupkg=$1
objdump=x86_64-w64-mingw32-objdump  # it reads both sizes' binaries
. "$(dirname "$0")/../../scripts/helpers.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unzip -q "$nupkg" -d "$work/package" || exit 1
native=$work/package/build/native
[ -f "$native/vorlanx.targets" ] || { echo "FAIL: no build/native/vorlanx.targets"; exit 1; }

python3 - "$native/vorlanx.targets" "$native/probe.targets" <<'EOF' || exit 1
import re, sys, xml.etree.ElementTree as ET
ns = '{http://schemas.microsoft.com/developer/msbuild/2003}'
ET.register_namespace('', ns[1:-1])
tree = ET.parse(sys.argv[1])
for group in tree.getroot().iter(ns + 'ItemDefinitionGroup'):
    group.tag = ns + 'PropertyGroup'
    for item in list(group):
        group.remove(item)
        for meta in item:
            meta.tag = item.tag + meta.tag[len(ns):]  # ClCompile + AdditionalIncludeDirectories
            meta.text = re.sub(r'%\([^)]*\)', '', meta.text or '')
            if 'Condition' in item.attrib and 'Condition' not in meta.attrib:
                meta.set('Condition', item.get('Condition'))
            group.append(meta)
tree.write(sys.argv[2])
EOF
cat >"$work/host.vcxproj" <<'EOF'
<?xml version="1.0" encoding="utf-8"?>
<Project DefaultTargets="Build" ToolsVersion="4.0" xmlns="http://schemas.microsoft.com/developer/msbuild/2003">
  <ItemGroup><ClCompile Include="host.c" /></ItemGroup>
  <Import Project="$(Package)/build/native/probe.targets" />
  <Target Name="Build">
    <Message Importance="high" Text="include|$(ClCompileAdditionalIncludeDirectories)" />
    <Message Importance="high" Text="link|$(LinkAdditionalDependencies)" />
  </Target>
</Project>
EOF

# paths PATHS: the paths of a ';' list, one a line, as this system writes them.
paths() { tr ';\\' '\n/' <<<"$1" | sed '/^ *$/d'; }
for platform in Win32:Win32:pe-i386 x86:Win32:pe-i386 x64:x64:pe-x86-64; do
    IFS=: read -r name folder format <<<"$platform"
    out=$(xbuild /nologo /v:minimal /p:Platform="$name" /p:Package="$work/package" \
                 /p:OutDir="$work/out/$name/" "$work/host.vcxproj" 2>&1) ||
        { fail "xbuild failed for $name: $out"; continue; }
    out=$(sed 's/^[[:space:]]*//' <<<"$out")
    includes=$(paths "$(sed -n 's/^include|//p' <<<"$out")")
    [ -n "$includes" ] && [ -f "$(head -n 1 <<<"$includes")/vorlanx.h" ] ||
        fail "$name: the include folders '$includes' do not start with one holding vorlanx.h"
    libraries=$(paths "$(sed -n 's/^link|//p' <<<"$out")")
    [ "$libraries" = "$native/lib/$folder/vorlanx.lib" ] ||
        fail "$name links '$libraries', not build/native/lib/$folder/vorlanx.lib"
    [[ $("$objdump" -f "$libraries" 2>&1) == *"format $format"* ]] || fail "$name: $libraries is not $format"
    [[ $("$objdump" -f "$native/bin/$folder/vorlanx.dll" 2>&1) == *"format pei-${format#pe-}"* ]] ||
        fail "$name: bin/$folder/vorlanx.dll is not pei-${format#pe-}"
    diff -r "$native/bin/$folder" "$work/out/$name" >/dev/null ||
        fail "$name's output folder is not bin/$folder: $(cd "$work/out/$name" 2>/dev/null && find . -type f)"
done
[ "$failures" -eq 0 ] && echo "ok: Win32, x86 and x64 take their include folder, import library and DLLs"
exit $((failures > 0))
