#!/usr/bin/env python3
"""Writes the release's software bill of materials (SPDX 2.3, JSON) to standard output: each
package of dist/ with every file in it and their hashes, the toolchain that built them and the
compiler's runtime libraries linked into them, with the versions that dpkg reports.

usage: SOURCE_DATE_EPOCH=... release/sbom.py VERSION COMMIT DIST
"""
import hashlib
import json
import os
import re
import subprocess
import sys
import time
import zipfile

ARCHES = {"x86": "i686", "x64": "x86-64"}


def toolchain(arch):
    a = ARCHES[arch]
    return [f"g++-mingw-w64-{a}-posix", f"gcc-mingw-w64-{a}-posix", f"binutils-mingw-w64-{a}",
            f"mingw-w64-{a}-dev", "mingw-w64-common"]


def runtime(arch):
    """The libraries linked statically into every binary: name, Debian package, what it is."""
    a = ARCHES[arch]
    return [("libgcc", f"gcc-mingw-w64-{a}-posix", "GCC's low-level runtime (libgcc.a, libgcc_eh.a)"),
            ("libstdc++", f"g++-mingw-w64-{a}-posix", "GCC's C++ standard library (libstdc++.a)"),
            ("mingw-w64-crt", f"mingw-w64-{a}-dev",
             "mingw-w64's start-up code, libmingw32, libmingwex and the import libraries"),
            ("winpthreads", f"mingw-w64-{a}-dev", "mingw-w64's POSIX threads (libwinpthread.a)")]


def dpkg_version(package):
    try:
        out = subprocess.run(["dpkg-query", "-W", "-f=${Version}", package],
                             capture_output=True, text=True, check=True).stdout.strip()
        return out or "NOASSERTION"
    except (OSError, subprocess.CalledProcessError):
        return "NOASSERTION"


def spdx_id(*parts):
    return "SPDXRef-" + "-".join(re.sub(r"[^A-Za-z0-9.]+", "-", p.replace("+", "plus")).strip("-")
                                   for p in parts)


def hashes(data):
    return {"SHA1": hashlib.sha1(data).hexdigest(), "SHA256": hashlib.sha256(data).hexdigest()}


def checksums(h):
    return [{"algorithm": k, "checksumValue": v} for k, v in h.items()]


def archive_arch(name):
    for arch in ARCHES:
        if f"-{arch}" in name:
            return [arch]
    return list(ARCHES)  # the NuGet package holds both


def main():
    version, commit, dist = sys.argv[1:4]
    epoch = int(os.environ["SOURCE_DATE_EPOCH"])
    packages, files, relationships = [], [], []
    debian = {}

    def relate(a, kind, b, comment=None):
        r = {"spdxElementId": a, "relationshipType": kind, "relatedSpdxElement": b}
        if comment:
            r["comment"] = comment
        relationships.append(r)

    def debian_package(name, version_of, purpose, comment):
        key = (name, version_of)
        if key not in debian:
            ver = dpkg_version(version_of)
            ident = spdx_id("deb", name)
            p = {"SPDXID": ident, "name": name, "versionInfo": ver,
                 "supplier": "Organization: Debian", "downloadLocation": "NOASSERTION",
                 "filesAnalyzed": False, "licenseConcluded": "NOASSERTION",
                 "licenseDeclared": "NOASSERTION", "copyrightText": "NOASSERTION",
                 "primaryPackagePurpose": purpose, "comment": comment}
            if ver != "NOASSERTION":
                p["externalRefs"] = [{"referenceCategory": "PACKAGE-MANAGER", "referenceType": "purl",
                                      "referenceLocator": f"pkg:deb/debian/{version_of}@{ver}?arch=amd64"}]
            packages.append(p)
            debian[key] = ident
        return debian[key]

    archives = sorted(f for f in os.listdir(dist) if f.endswith((".zip", ".nupkg")))
    for archive in archives:
        path = os.path.join(dist, archive)
        with open(path, "rb") as f:
            whole = hashes(f.read())
        ident = spdx_id("Package", archive)
        member_ids, sha1s = [], []
        with zipfile.ZipFile(path) as z:
            for entry in sorted(z.namelist()):
                h = hashes(z.read(entry))
                fid = spdx_id("File", archive, entry)
                binary = entry.endswith((".dll", ".exe", ".lib", ".a", ".debug"))
                files.append({"SPDXID": fid, "fileName": "./" + entry, "checksums": checksums(h),
                              "fileTypes": ["BINARY" if binary else "TEXT"],
                              "licenseConcluded": "NOASSERTION", "copyrightText": "NOASSERTION"})
                member_ids.append(fid)
                sha1s.append(h["SHA1"])
                relate(ident, "CONTAINS", fid)
        code = hashlib.sha1("".join(sorted(sha1s)).encode()).hexdigest()
        packages.append({"SPDXID": ident, "name": "vorlanx", "versionInfo": version,
                         "packageFileName": archive, "supplier": "Organization: vorlanx",
                         "downloadLocation": "NOASSERTION", "filesAnalyzed": True,
                         "packageVerificationCode": {"packageVerificationCodeValue": code},
                         "checksums": checksums(whole), "hasFiles": member_ids,
                         "licenseConcluded": "NOASSERTION", "licenseDeclared": "NOASSERTION",
                         "copyrightText": "NOASSERTION", "primaryPackagePurpose": "LIBRARY",
                         "sourceInfo": f"built from the vorlanx commit {commit}"})
        relate("SPDXRef-DOCUMENT", "DESCRIBES", ident)
        for arch in archive_arch(archive):
            for tool in toolchain(arch):
                relate(debian_package(tool, tool, "APPLICATION", "cross toolchain"),
                       "BUILD_TOOL_OF", ident)
            for lib, deb, what in runtime(arch):
                relate(ident, "STATIC_LINK",
                       debian_package(f"{lib}-{arch}", deb, "LIBRARY", f"{what}, from {deb}"),
                       "linked statically into every executable and library of the package")
        for tool in ("cmake", "llvm-14"):
            relate(debian_package(tool, tool, "APPLICATION", "build tool"), "BUILD_TOOL_OF", ident)

    doc = {"spdxVersion": "SPDX-2.3", "dataLicense": "CC0-1.0", "SPDXID": "SPDXRef-DOCUMENT",
           "name": f"vorlanx-{version}",
           "documentNamespace": f"https://vorlanx.invalid/spdx/vorlanx-{version}-{commit}",
           "creationInfo": {"created": time.strftime("%Y-%m-%dT%H:%M:%SZ", time.gmtime(epoch)),
                            "creators": ["Organization: vorlanx", "Tool: vorlanx-release"]},
           "packages": packages, "files": files, "relationships": relationships}
    json.dump(doc, sys.stdout, indent=1, sort_keys=False)
    sys.stdout.write("\n")


if __name__ == "__main__":
    main()
