#!/usr/bin/env python3
"""Checks what lies beside a release zip for package managers: the checksum file and the Scoop,
winget and Chocolatey manifests parse, name the zip's true hash, version and address, and point
only at files the zip holds.

    check_manifests.py <zip> <version> <download address, "{version}" for the version>

Prints every fault it finds; exit code 0 when there is none.
"""
import hashlib
import json
import os
import re
import shutil
import subprocess
import sys
import xml.etree.ElementTree as ElementTree
import zipfile

import yaml

NUSPEC = "{http://schemas.microsoft.com/packaging/2015/06/nuspec.xsd}"

faults = []


def fault(text):
    faults.append(text)


def read_text(path):
    with open(path, encoding="utf-8") as file:
        return file.read()


class Release:
    """The facts every manifest must state, taken from the zip itself."""

    def __init__(self, zip_path, version, template):
        self.zip = zip_path
        self.folder = os.path.dirname(os.path.abspath(zip_path))
        self.name = os.path.basename(zip_path)
        self.version = version
        self.url = template.replace("{version}", version)
        with open(zip_path, "rb") as file:
            self.sha256 = hashlib.sha256(file.read()).hexdigest()
        with zipfile.ZipFile(zip_path) as archive:
            self.files = {i.filename for i in archive.infolist() if not i.is_dir()}

    def holds(self, relative, what):
        if relative.replace("\\", "/") not in self.files:
            fault("%s names %s, which the zip does not hold" % (what, relative))


def files_under(folder):
    for root, folders, names in os.walk(folder):
        for name in folders + names:
            yield os.path.join(root, name)


def check_folder(release):
    """The checksum file, and the release folder holding plain files only, one JSON file among them."""
    checksum = os.path.join(release.folder, release.name + ".sha256")
    if not os.path.isfile(checksum) or read_text(checksum) != "%s  %s\n" % (release.sha256, release.name):
        fault("%s does not hold the zip's hash and bare name as sha256sum writes them" % checksum)
    elif shutil.which("sha256sum") and subprocess.run(["sha256sum", "--check", "--status", release.name + ".sha256"],
                                                       cwd=release.folder).returncode != 0:
        fault("sha256sum --check fails in %s" % release.folder)
    paths = list(files_under(release.folder))
    for path in paths:
        if os.path.islink(path) or not (os.path.isfile(path) or os.path.isdir(path)):
            fault("%s is not a plain file or folder" % path)
    jsons = [p for p in paths if p.lower().endswith(".json")]
    if len(jsons) != 1 or os.path.dirname(jsons[0]) != os.path.join(release.folder, "scoop"):
        fault("JSON files in the release folder: %s (only the Scoop manifest belongs there)" % jsons)
    return jsons[0] if len(jsons) == 1 else None


def check_scoop(release, path):
    manifest = json.loads(read_text(path))
    what = "the Scoop manifest"
    download = manifest.get("architecture", {}).get("64bit", {})
    if manifest.get("version") != release.version:
        fault("%s gives version %r" % (what, manifest.get("version")))
    if download.get("url") != release.url or download.get("hash") != release.sha256:
        fault("%s downloads %s with hash %s" % (what, download.get("url"), download.get("hash")))
    for field in ("description", "homepage", "license"):
        if not isinstance(manifest.get(field), str) or not manifest.get(field):
            fault("%s has no %s" % (what, field))
    bins = manifest.get("bin")
    for entry in [bins] if isinstance(bins, str) else bins or [None]:
        release.holds(str(entry), what + "'s bin")
    for shortcut in manifest.get("shortcuts") or [[None]]:
        release.holds(str(shortcut[0]), what + "'s shortcut")
    for kept in manifest.get("persist") or []:
        # A file the zip ships would stay at its first version's copy for ever.
        if kept in release.files:
            fault("%s persists %s, which every update ships anew" % (what, kept))
    update = manifest.get("autoupdate", {})
    if update.get("architecture", {}).get("64bit", {}).get("url", "").replace("$version", release.version) != release.url:
        fault("%s updates from an address that is not this release's for its version" % what)
    if update.get("hash", {}).get("url") != "$url.sha256":
        fault("%s does not take an update's hash from the checksum file beside it" % what)
    found = re.fullmatch(manifest.get("checkver", {}).get("regex", "^$"), release.name)
    if not found or found.group(1) != release.version:
        fault("%s's checkver does not read the version from the zip's name" % what)


def check_winget(release):
    folder = os.path.join(release.folder, "winget")
    names = sorted(os.listdir(folder)) if os.path.isdir(folder) else []
    manifests = {}
    for name in names:
        try:
            content = yaml.safe_load(read_text(os.path.join(folder, name)))
        except yaml.YAMLError as error:
            fault("winget/%s does not parse: %s" % (name, str(error).splitlines()[0]))
            continue
        kind = content.get("ManifestType") if isinstance(content, dict) else None
        manifests[kind if isinstance(kind, str) else name] = (name, content)
    if sorted(manifests) != ["defaultLocale", "installer", "version"] or len(names) != 3:
        fault("the winget manifests are %s, not one version, installer and defaultLocale file" % names)
        return
    ident = manifests["version"][1].get("PackageIdentifier")
    locale = manifests["version"][1].get("DefaultLocale")
    expected_names = {"version": "%s.yaml", "installer": "%s.installer.yaml", "defaultLocale": "%s.locale." + str(locale) + ".yaml"}
    for kind, (name, content) in manifests.items():
        if name != expected_names[kind] % ident:
            fault("winget/%s is named otherwise than its identifier %s says" % (name, ident))
        if content.get("PackageIdentifier") != ident or content.get("PackageVersion") != release.version or \
                content.get("ManifestVersion") != manifests["version"][1].get("ManifestVersion"):
            fault("winget/%s: identifier, version or manifest version differ (%r, %r)"
                  % (name, content.get("PackageIdentifier"), content.get("PackageVersion")))
    name, installer = manifests["installer"]
    if installer.get("InstallerType") != "zip" or installer.get("NestedInstallerType") != "portable":
        fault("winget/%s does not install a portable zip" % name)
    for nested in installer.get("NestedInstallerFiles") or [{"RelativeFilePath": None}]:
        release.holds(str(nested.get("RelativeFilePath")), "winget/%s" % name)
    for entry in installer.get("Installers") or [{}]:
        if entry.get("InstallerUrl") != release.url or str(entry.get("InstallerSha256", "")).lower() != release.sha256:
            fault("winget/%s downloads %s with hash %s" % (name, entry.get("InstallerUrl"), entry.get("InstallerSha256")))
    name, details = manifests["defaultLocale"]
    if details.get("PackageLocale") != locale or not all(
            isinstance(details.get(f), str) and details.get(f) for f in ("Publisher", "PackageName", "License", "ShortDescription")):
        fault("winget/%s lacks its locale, publisher, name, licence or description" % name)


def check_chocolatey(release):
    folder = os.path.join(release.folder, "chocolatey")
    specs = [n for n in os.listdir(folder) if n.endswith(".nuspec")] if os.path.isdir(folder) else []
    if len(specs) != 1:
        fault("Chocolatey package specifications: %s" % specs)
        return
    try:
        metadata = ElementTree.parse(os.path.join(folder, specs[0])).getroot().find(NUSPEC + "metadata")
    except ElementTree.ParseError as error:
        fault("%s does not parse: %s" % (specs[0], error))
        return
    value = lambda field: metadata.findtext(NUSPEC + field) if metadata is not None else None
    if value("version") != release.version or value("id") != specs[0][:-len(".nuspec")] or \
            not value("authors") or not value("description"):
        fault("%s: id %r, version %r, authors or description missing" % (specs[0], value("id"), value("version")))
    tools = os.path.join(folder, "tools")
    script = read_text(os.path.join(tools, "chocolateyinstall.ps1")) if os.path.isfile(os.path.join(tools, "chocolateyinstall.ps1")) else ""
    arguments = dict(re.findall(r"^\s*(\w+)\s*=\s*(\$toolsDir|'[^']*')\s*$", script, re.MULTILINE))
    if arguments.get("url64bit") != "'%s'" % release.url or arguments.get("checksum64") != "'%s'" % release.sha256 or \
            arguments.get("checksumType64") != "'sha256'" or arguments.get("unzipLocation") != "$toolsDir" or \
            not re.search(r"^Install-ChocolateyZipPackage @packageArgs$", script, re.MULTILINE):
        fault("chocolatey/tools/chocolateyinstall.ps1 does not unpack this zip by its checksum into tools")
    for marker in os.listdir(tools) if os.path.isdir(tools) else []:
        if marker.endswith((".gui", ".ignore")):
            # The zip unpacks into tools: the marker's executable must come out beside it.
            release.holds(marker.rsplit(".", 1)[0], "chocolatey/tools/" + marker)


def check(zip_path, version, template):
    release = Release(zip_path, version, template)
    scoop = check_folder(release)
    for what, step in (("the Scoop manifest", lambda: scoop and check_scoop(release, scoop)),
                       ("the winget manifests", lambda: check_winget(release)),
                       ("the Chocolatey package", lambda: check_chocolatey(release))):
        try:
            step()
        except (ValueError, AttributeError, TypeError, IndexError, KeyError, OSError) as error:
            # JSON that does not parse, or fields of the wrong kind (a list where a table belongs).
            fault("%s cannot be read as one: %s" % (what, error))


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    check(*sys.argv[1:])
    for text in faults:
        print("FAULT:", text)
    print("%s manifests: %s" % (sys.argv[1], "%d faults" % len(faults) if faults else "all checks pass"))
    sys.exit(1 if faults else 0)
