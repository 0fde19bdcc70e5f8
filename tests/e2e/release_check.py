#!/usr/bin/env python3
"""Reads back what the packaging step left in DIST (dist/): the two ZIPs,
SHA256SUMS and the winget and Scoop manifests. Every hash must be its ZIP's,
the fields those managers need must be there, and the version must be the
one CMakeLists.txt gives, in every name, manifest and exe (version resource
and About text). The 32-bit ZIP unpacked must give the bytes of DIST/Zvenoks.

  release_check.py ROOT DIST
"""
import hashlib
import json
import os
import re
import struct
import sys
import tempfile
import zipfile

import yaml

MACHINES = {"win32": 0x14C, "win64": 0x8664}
WINGET_ARCH = {"win32": "x86", "win64": "x64"}
SCOOP_ARCH = {"win32": "32bit", "win64": "64bit"}
EXE = "Zvenoks/Zvenoks.exe"
# Each winget manifest's type and the fields its 1.6.0 schema requires.
WINGET = {
    "": ("version", ["DefaultLocale"]),
    ".installer": ("installer", ["Installers"]),
    ".locale.ru-RU": ("defaultLocale", ["PackageLocale", "Publisher", "PackageName", "License", "ShortDescription"]),
    ".locale.en-US": ("locale", ["PackageLocale", "ShortDescription"]),
}
errors = []


def check(ok, message):
    if not ok:
        errors.append(message)


def sha256(data):
    return hashlib.sha256(data).hexdigest()


def version_resource(exe):
    """(fixed file version, fixed product version, FileVersion, ProductVersion)."""
    i = exe.find(struct.pack("<I", 0xFEEF04BD))
    if i < 0:
        return None
    fms, fls, pms, pls = struct.unpack_from("<4I", exe, i + 8)

    def text(key):
        k = (key + "\0").encode("utf-16-le")
        j = exe.find(k)
        if j < 0:
            return None
        start = end = (j + len(k) + 3) & ~3  # the value is 32-bit aligned
        while exe[end:end + 2] != b"\0\0":
            end += 2
        return exe[start:end].decode("utf-16-le")

    def dotted(ms, ls):
        return f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"

    return dotted(fms, fls), dotted(pms, pls), text("FileVersion"), text("ProductVersion")


def main(root, dist):
    cmake = open(os.path.join(root, "CMakeLists.txt")).read()
    m = re.search(r'^project\(Zvenoks VERSION ([0-9.]+) HOMEPAGE_URL "([^"]+)"', cmake, re.M)
    if not m:
        sys.exit("error: no project(Zvenoks VERSION ... HOMEPAGE_URL ...) in CMakeLists.txt")
    version, home = m.groups()
    fixed = ".".join((version.split(".") + ["0"] * 4)[:4])
    names = {a: f"Zvenoks-{version}-{a}.zip" for a in MACHINES}
    zips, sums = {}, {}
    for arch, name in names.items():
        with open(os.path.join(dist, name), "rb") as f:
            data = f.read()
        sums[arch] = sha256(data)
        zips[arch] = zipfile.ZipFile(os.path.join(dist, name))
        print(f"{name}: {len(data)} bytes, sha256 {sums[arch]}")

    listed = dict(reversed(line.split("  ", 1)) for line in open(os.path.join(dist, "SHA256SUMS")).read().splitlines())
    check(listed == {names[a]: sums[a] for a in names}, f"SHA256SUMS lists {listed}, not the two ZIPs' hashes")

    # The same files but the exe, which is each one's own machine's.
    files = {a: {i.filename: z.read(i) for i in z.infolist() if not i.is_dir()} for a, z in zips.items()}
    check(files["win32"].keys() == files["win64"].keys(), "the two ZIPs do not hold the same names")
    for name in files["win32"].keys() & files["win64"].keys() - {EXE}:
        check(files["win32"][name] == files["win64"][name], f"{name} differs between the two ZIPs")
    for arch, f in files.items():
        exe = f.get(EXE, b"")
        pe = struct.unpack_from("<I", exe, 60)[0] if len(exe) > 64 else 0
        check(exe[pe:pe + 6] == b"PE\0\0" + struct.pack("<H", MACHINES[arch]), f"{names[arch]}: the exe is not {arch}")
        got = version_resource(exe)
        check(got == (fixed, fixed, version, version), f"{names[arch]}: the exe's version resource is {got}, not {version}")
        check(f"Zvenoks v.{version}".encode() in exe, f"{names[arch]}: no About text 'Zvenoks v.{version}'")
        check(home.encode() in exe, f"{names[arch]}: the About link is not {home}")
    guide = files["win32"].get("Zvenoks/ПРОЧТИ.txt", b"").decode("utf-8-sig", "replace")
    named = set(re.findall(r"Zvenoks-([0-9.]+)-win", guide))
    check(guide.startswith(f"Звенок {version} ") and named == {version}, f"the guide names versions {named}, not {version}")

    with tempfile.TemporaryDirectory() as tmp:
        zips["win32"].extractall(tmp)
        unpacked = {os.path.relpath(os.path.join(d, n), tmp): os.path.join(d, n)
                    for d, _, ns in os.walk(tmp) for n in ns}
        shipped = {"Zvenoks/" + os.path.relpath(os.path.join(d, n), os.path.join(dist, "Zvenoks")): os.path.join(d, n)
                   for d, _, ns in os.walk(os.path.join(dist, "Zvenoks")) for n in ns}
        check(unpacked.keys() == shipped.keys(), f"unpacked and dist/Zvenoks differ in {sorted(unpacked.keys() ^ shipped.keys())}")
        for n in unpacked.keys() & shipped.keys():
            check(sha256(open(unpacked[n], "rb").read()) == sha256(open(shipped[n], "rb").read()),
                  f"{n} unpacked differs from dist/{n}")

    url = {a: f"{home}download/{version}/{names[a]}" for a in names}
    folder = os.path.join(dist, "winget", "manifests", "z", "Zvenoks", "Zvenoks", version)
    check(sorted(os.listdir(folder)) == sorted(f"Zvenoks.Zvenoks{p}.yaml" for p in WINGET), f"{folder} holds {os.listdir(folder)}")
    for part, (kind, required) in WINGET.items():
        doc = yaml.safe_load(open(os.path.join(folder, f"Zvenoks.Zvenoks{part}.yaml"), encoding="utf-8"))
        for key in ["PackageIdentifier", "PackageVersion", "ManifestType", "ManifestVersion"] + required:
            check(doc.get(key) not in (None, ""), f"winget {kind}: no {key}")
        check((doc.get("PackageIdentifier"), doc.get("PackageVersion"), doc.get("ManifestType"), doc.get("ManifestVersion"))
              == ("Zvenoks.Zvenoks", version, kind, "1.6.0"), f"winget {kind}: not Zvenoks.Zvenoks {version}, {kind}, 1.6.0")
        if kind == "version":
            check(doc.get("DefaultLocale") == "ru-RU", "winget: the default locale is not ru-RU")
        if part.startswith(".locale"):
            russian = bool(re.search("[а-я]", doc.get("ShortDescription", "")))
            check(russian == (part == ".locale.ru-RU"), f"winget {part[8:]}: the description is in the wrong language")
        if kind == "installer":
            check((doc.get("InstallerType"), doc.get("NestedInstallerType")) == ("zip", "portable"), "winget: not a zip of a portable")
            nested = doc.get("NestedInstallerFiles") or [{}]
            check(nested == [{"RelativeFilePath": EXE.replace("/", "\\"), "PortableCommandAlias": "zvenoks"}],
                  f"winget: NestedInstallerFiles {nested} do not name the exe")
            got = {i.get("Architecture"): (i.get("InstallerUrl"), i.get("InstallerSha256")) for i in doc["Installers"]}
            check(got == {WINGET_ARCH[a]: (url[a], sums[a].upper()) for a in names}, f"winget installers {got}")

    scoop = json.load(open(os.path.join(dist, "scoop", "zvenoks.json"), encoding="utf-8"))
    for key in ["version", "description", "homepage", "license", "bin", "shortcuts", "persist"]:
        check(scoop.get(key), f"scoop: no {key}")
    check((scoop.get("version"), scoop.get("homepage")) == (version, home), "scoop: wrong version or home page")
    check(scoop.get("architecture") == {SCOOP_ARCH[a]: {"url": url[a], "hash": sums[a]} for a in names},
          f"scoop: architecture {scoop.get('architecture')}")
    top = scoop.get("extract_dir", "")
    check(f"{top}/{scoop.get('bin')}" == EXE and scoop.get("shortcuts") == [["Zvenoks.exe", "Zvenoks"]],
          "scoop: bin or shortcuts do not name the exe in the ZIP's folder")
    # Scoop makes a folder of a persisted name that exists nowhere yet.
    for name in scoop.get("persist", []):
        check(f"{top}/{name}" in files["win32"] or f'$dir\\{name}"' in scoop.get("pre_install", ""),
              f"scoop: {name} is persisted but neither ships nor is made by pre_install")
    check({"config.cfg", "announce.cfg"} <= set(scoop.get("persist", [])), "scoop: the settings are not persisted")

    for e in errors:
        print("error:", e)
    print(f"version {version}: " + ("agrees everywhere" if not errors else f"{len(errors)} problems"))
    return 1 if errors else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    sys.exit(main(*sys.argv[1:]))
