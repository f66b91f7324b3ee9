#!/usr/bin/env python3
"""Writes, beside a release zip, its checksum file and the manifests of three package managers.

    write_manifests.py <zip> --version V --product P --author A --home-page URL --download-url URL

--download-url is where the zip is published, "{version}" standing for the version
("https://example.org/barloom/{version}/barloom-{version}-win64.zip"); it must end in the zip's
own file name, since each manager names its download after it and finds the checksum file at
the same address plus ".sha256". Beside the zip it writes:

    <zip>.sha256                         the hash and the bare file name, as sha256sum writes them
    scoop/<name>.json                    Scoop
    winget/<Id>.yaml, .installer.yaml, .locale.en-US.yaml   winget
    chocolatey/<name>.portable.nuspec, chocolatey/tools/    Chocolatey (portable)

Everything the manifests say of the program (version, hash, licence, the executables) comes
from the zip and the arguments, so they cannot drift from what they install.
"""
import argparse
import hashlib
import json
import os
import re
import shutil
import sys
import xml.etree.ElementTree as ElementTree
import zipfile

import yaml

DESCRIPTION = ("Writes sets of interlinked Total Commander button bars: every bar of a set gets one "
               "switch button for each bar of the set.")
TAGS = ["total-commander", "button-bar", "toolbar", "portable"]
WIZARD, CLI = "barloom.exe", "barloom-cli.exe"
# Kept across updates. The program rewrites barloom.ini in place, so a hard link to it stays a link.
PERSISTED_FILE, PERSISTED_FOLDER = "barloom.ini", "bars"
# The licences this writer can name, by the first line of the LICENSE file in the zip.
LICENSES = {"MIT License": "MIT"}
WINGET_SCHEMA = "1.10.0"  # the first manifest version with ArchiveBinariesDependOnPath
WINGET_LOCALE = "en-US"
NUSPEC_NAMESPACE = "http://schemas.microsoft.com/packaging/2015/06/nuspec.xsd"


class SettingError(Exception):
    pass


def sha256_of(path):
    digest = hashlib.sha256()
    with open(path, "rb") as file:
        for block in iter(lambda: file.read(1 << 16), b""):
            digest.update(block)
    return digest.hexdigest()


def download_address(template, version, zip_name):
    if not template:
        raise SettingError("no download address: configure with -DBARLOOM_DOWNLOAD_URL="
                           "'https://.../%s' ({version} stands for the version)" % zip_name.replace(version, "{version}"))
    if "{version}" not in template:
        # One address for every version would break each older manifest's pinned hash.
        raise SettingError("the download address %s has no {version}" % template)
    address = template.replace("{version}", version)
    if not address.startswith(("https://", "http://")) or not address.isascii() or any(c in address for c in " '\"<>"):
        raise SettingError("the download address %s is not a plain http(s) address" % address)
    if not address.endswith("/" + zip_name):
        raise SettingError("the download address %s does not end in the zip's name %s" % (address, zip_name))
    return address


def page_address(address, what):
    if not address.startswith(("https://", "http://")) or not address.isascii():
        raise SettingError("%s %r is not an http(s) address (configure with -DBARLOOM_HOME_PAGE=...)" % (what, address))
    return address


def license_of(archive):
    first_line = archive.read("LICENSE").decode("utf-8").splitlines()[0].strip()
    if first_line not in LICENSES:
        raise SettingError("the licence %r has no identifier here: add it to LICENSES" % first_line)
    return LICENSES[first_line]


def write_text(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8", newline="\n") as file:
        file.write(text)


def scoop_manifest(facts):
    before, after = facts["zip_name"].split(facts["version"], 1)
    return {
        "version": facts["version"],
        "description": DESCRIPTION,
        "homepage": facts["home_page"],
        "license": facts["license"],
        # 64-bit only: Scoop then refuses 32-bit Windows instead of installing what cannot run there.
        "architecture": {"64bit": {"url": facts["url"], "hash": facts["sha256"]}},
        # A persisted name that exists nowhere becomes a folder: start the settings as an empty file.
        "pre_install": "if (!(Test-Path \"$persist_dir\\%s\")) { New-Item \"$dir\\%s\" -ItemType File | Out-Null }"
                       % (PERSISTED_FILE, PERSISTED_FILE),
        "bin": CLI,
        "shortcuts": [[WIZARD, facts["product"]]],
        "persist": [PERSISTED_FILE, PERSISTED_FOLDER],
        # The home page names the current zip; the checksum file lies beside each zip.
        "checkver": {"url": facts["home_page"], "regex": re.escape(before) + r"([\d.]+)" + re.escape(after)},
        "autoupdate": {"architecture": {"64bit": {"url": facts["url_template"].replace("{version}", "$version")}},
                       "hash": {"url": "$url.sha256"}},
    }


def winget_manifests(facts):
    """{file name: (schema kind, content)} of the three files of a winget manifest set."""
    ident = "%s.%s" % (facts["product"].replace(" ", ""), facts["product"].replace(" ", ""))
    head = {"PackageIdentifier": ident, "PackageVersion": facts["version"]}
    version = dict(head, DefaultLocale=WINGET_LOCALE, ManifestType="version", ManifestVersion=WINGET_SCHEMA)
    installer = dict(head, InstallerType="zip", NestedInstallerType="portable",
                     NestedInstallerFiles=[{"RelativeFilePath": WIZARD}, {"RelativeFilePath": CLI}],
                     # The folder itself goes on PATH: started through a link elsewhere, the program
                     # would look for its icons, language files and settings beside the link.
                     ArchiveBinariesDependOnPath=True,
                     Commands=[os.path.splitext(WIZARD)[0], os.path.splitext(CLI)[0]],
                     MinimumOSVersion="10.0.0.0",
                     Installers=[{"Architecture": "x64", "InstallerUrl": facts["url"],
                                  "InstallerSha256": facts["sha256"].upper()}],
                     ManifestType="installer", ManifestVersion=WINGET_SCHEMA)
    locale = dict(head, PackageLocale=WINGET_LOCALE, Publisher=facts["author"], PackageName=facts["product"],
                  PackageUrl=facts["home_page"], License=facts["license"], ShortDescription=DESCRIPTION,
                  Tags=TAGS, ManifestType="defaultLocale", ManifestVersion=WINGET_SCHEMA)
    return {ident + ".yaml": ("version", version), ident + ".installer.yaml": ("installer", installer),
            "%s.locale.%s.yaml" % (ident, WINGET_LOCALE): ("defaultLocale", locale)}


def winget_text(kind, content):
    schema = "# yaml-language-server: $schema=https://aka.ms/winget-manifest.%s.%s.schema.json\n\n" % (kind, WINGET_SCHEMA)
    # safe_dump quotes every text that YAML would read as something else (1.10 as a number).
    return schema + yaml.safe_dump(content, sort_keys=False, allow_unicode=True, width=1000)


def nuspec_text(facts, package_id):
    ElementTree.register_namespace("", NUSPEC_NAMESPACE)
    package = ElementTree.Element("{%s}package" % NUSPEC_NAMESPACE)
    metadata = ElementTree.SubElement(package, "{%s}metadata" % NUSPEC_NAMESPACE)
    for name, value in (("id", package_id), ("version", facts["version"]), ("title", facts["product"] + " (portable)"),
                        ("authors", facts["author"]), ("projectUrl", facts["home_page"]),
                        ("requireLicenseAcceptance", "false"), ("summary", DESCRIPTION),
                        ("description", DESCRIPTION), ("tags", " ".join(TAGS))):
        ElementTree.SubElement(metadata, "{%s}%s" % (NUSPEC_NAMESPACE, name)).text = value
    files = ElementTree.SubElement(package, "{%s}files" % NUSPEC_NAMESPACE)
    ElementTree.SubElement(files, "{%s}file" % NUSPEC_NAMESPACE, src="tools\\**", target="tools")
    ElementTree.indent(package)
    return '<?xml version="1.0" encoding="utf-8"?>\n' + ElementTree.tostring(package, encoding="unicode") + "\n"


def chocolatey_script(facts):
    # PowerShell's single-quoted strings take everything literally but a doubled quote.
    quote = lambda text: "'" + text.replace("'", "''") + "'"
    return "\n".join([
        "$ErrorActionPreference = 'Stop'",
        "$toolsDir = Split-Path -Parent $MyInvocation.MyCommand.Definition",
        "",
        "# The zip holds the program's folder itself: unpacked into tools, beside %s.gui." % WIZARD,
        "$packageArgs = @{",
        "  packageName    = $env:ChocolateyPackageName",
        "  unzipLocation  = $toolsDir",
        "  url64bit       = " + quote(facts["url"]),
        "  checksum64     = " + quote(facts["sha256"]),
        "  checksumType64 = 'sha256'",
        "}",
        "Install-ChocolateyZipPackage @packageArgs",
        ""])


def write_all(zip_path, facts):
    folder = os.path.dirname(os.path.abspath(zip_path))
    name = facts["zip_name"]
    write_text(os.path.join(folder, name + ".sha256"), "%s  %s\n" % (facts["sha256"], name))
    short = os.path.splitext(WIZARD)[0]
    for manager in ("scoop", "winget", "chocolatey"):
        # A manifest set of an earlier run must not linger beside this one.
        shutil.rmtree(os.path.join(folder, manager), ignore_errors=True)
    write_text(os.path.join(folder, "scoop", short + ".json"),
               json.dumps(scoop_manifest(facts), indent=4, ensure_ascii=False) + "\n")
    for file_name, (kind, content) in winget_manifests(facts).items():
        write_text(os.path.join(folder, "winget", file_name), winget_text(kind, content))
    package_id = short + ".portable"
    write_text(os.path.join(folder, "chocolatey", package_id + ".nuspec"), nuspec_text(facts, package_id))
    write_text(os.path.join(folder, "chocolatey", "tools", "chocolateyinstall.ps1"), chocolatey_script(facts))
    # An empty marker: Chocolatey's shim starts the wizard without holding the console.
    write_text(os.path.join(folder, "chocolatey", "tools", WIZARD + ".gui"), "")


def main(arguments):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("zip")
    for option in ("--version", "--product", "--author", "--home-page", "--download-url"):
        parser.add_argument(option, required=True)
    options = parser.parse_args(arguments)
    name = os.path.basename(options.zip)
    try:
        with zipfile.ZipFile(options.zip) as archive:
            missing = {WIZARD, CLI, "LICENSE"} - set(archive.namelist())
            if missing:
                raise SettingError("the zip lacks %s" % ", ".join(sorted(missing)))
            license_id = license_of(archive)
        facts = {"version": options.version, "product": options.product, "author": options.author,
                 "home_page": page_address(options.home_page, "the home page"), "license": license_id,
                 "url": download_address(options.download_url, options.version, name),
                 "url_template": options.download_url,
                 "zip_name": name, "sha256": sha256_of(options.zip)}
    except (SettingError, OSError, zipfile.BadZipFile) as error:
        sys.exit("write_manifests.py: %s" % error)
    write_all(options.zip, facts)


if __name__ == "__main__":
    main(sys.argv[1:])
