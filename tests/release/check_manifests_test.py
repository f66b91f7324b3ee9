#!/usr/bin/env python3
"""The manifest writer and the release check against each other: what the writer leaves beside a
small zip passes the check, each damage of the table below is reported, and the writer refuses
download addresses no manifest could use.

    check_manifests_test.py <source folder> <work folder>
"""
import os
import shutil
import subprocess
import sys
import zipfile

source, work = sys.argv[1:3]
WRITER = os.path.join(source, "scripts", "write_manifests.py")
CHECK = os.path.join(source, "tests", "release", "check_manifests.py")
VERSION, NAME = "1.0.0", "barloom-1.0.0-win64.zip"
TEMPLATE = "https://example.org/dl/v{version}/barloom-{version}-win64.zip"


def edit(relative, old, new):
    def change(folder):
        path = os.path.join(folder, relative)
        text = open(path, encoding="utf-8").read()
        assert old in text, "%s lacks %r" % (relative, old)
        open(path, "w", encoding="utf-8").write(text.replace(old, new, 1))
    return change


def add(relative, text=""):
    return lambda folder: open(os.path.join(folder, relative), "w").write(text)


def hash_text(folder):
    return open(os.path.join(folder, NAME + ".sha256")).read().split()[0]


def with_hash(relative, make_old, make_new):
    return lambda folder: edit(relative, make_old(hash_text(folder)), make_new(hash_text(folder)))(folder)


WRONG = "ab" * 32
DAMAGES = [
    ("the checksum file names a path", edit(NAME + ".sha256", "  " + NAME, "  build/release/" + NAME)),
    ("the zip changed after the manifests", lambda f: open(os.path.join(f, NAME), "ab").write(b"\0")),
    ("Scoop: another hash", with_hash("scoop/barloom.json", lambda h: h, lambda h: WRONG)),
    ("Scoop: another version", edit("scoop/barloom.json", '"version": "1.0.0"', '"version": "1.0.1"')),
    ("Scoop: a bin the zip lacks", edit("scoop/barloom.json", '"bin": "barloom-cli.exe"', '"bin": "bin\\\\barloom-cli.exe"')),
    ("Scoop: JSON cut short", edit("scoop/barloom.json", '"autoupdate"', '')),
    ("Scoop: persists a shipped file", edit("scoop/barloom.json", '"barloom.ini",', '"barloom.ini", "LICENSE",')),
    ("a second JSON file", add("chocolatey/tools/settings.json", "{}")),
    ("winget: another hash", with_hash("winget/Barloom.Barloom.installer.yaml", str.upper, lambda h: WRONG)),
    ("winget: YAML that does not parse", edit("winget/Barloom.Barloom.yaml", "DefaultLocale: en-US", "DefaultLocale: [en-US")),
    ("winget: a version YAML reads as a number", edit("winget/Barloom.Barloom.locale.en-US.yaml", "PackageVersion: 1.0.0", "PackageVersion: 1.0")),
    ("winget: a nested file the zip lacks", edit("winget/Barloom.Barloom.installer.yaml", "RelativeFilePath: barloom.exe", "RelativeFilePath: Barloom\\barloom.exe")),
    ("winget: the locale file missing", lambda f: os.remove(os.path.join(f, "winget", "Barloom.Barloom.locale.en-US.yaml"))),
    ("Chocolatey: another version", edit("chocolatey/barloom.portable.nuspec", "<version>1.0.0<", "<version>1.0.1<")),
    ("Chocolatey: XML that does not parse", edit("chocolatey/barloom.portable.nuspec", "</metadata>", "")),
    ("Chocolatey: another checksum", with_hash("chocolatey/tools/chocolateyinstall.ps1", lambda h: h, lambda h: WRONG)),
    ("Chocolatey: another address", edit("chocolatey/tools/chocolateyinstall.ps1", "/v1.0.0/", "/v0.9.0/")),
    ("Chocolatey: a GUI marker for a missing program", lambda f: os.rename(
        os.path.join(f, "chocolatey", "tools", "barloom.exe.gui"), os.path.join(f, "chocolatey", "tools", "wizard.exe.gui"))),
    ("a link in the release folder", lambda f: os.symlink(NAME, os.path.join(f, "scoop", "barloom.zip"))),
]
REFUSED_ADDRESSES = ["", "https://example.org/dl/barloom-1.0.0-win64.zip", "https://example.org/dl/{version}/barloom.zip",
                     "ftp://example.org/{version}/barloom-{version}-win64.zip"]


def written(folder, template=TEMPLATE):
    """The release folder with a small zip and what the writer puts beside it; the writer's result."""
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    with zipfile.ZipFile(os.path.join(folder, NAME), "w") as archive:
        for name, data in (("barloom.exe", b"MZ wizard"), ("barloom-cli.exe", b"MZ cli"), ("LICENSE", b"MIT License\n"),
                           ("icons/Up_01.ico", b"\0\0\1\0")):
            archive.writestr(name, data)
    return subprocess.run([sys.executable, WRITER, os.path.join(folder, NAME), "--version", VERSION, "--product", "Barloom",
                           "--author", "The Barloom developers", "--home-page", "https://example.org/barloom",
                           "--download-url", template], capture_output=True, text=True)


def check_passes(folder):
    return subprocess.run([sys.executable, CHECK, os.path.join(folder, NAME), VERSION, TEMPLATE],
                          capture_output=True, text=True)


failures = []
folder = os.path.join(work, "release")
result = written(folder)
outcome = check_passes(folder) if result.returncode == 0 else result
if outcome.returncode != 0:
    failures.append("the written set fails: " + outcome.stdout + outcome.stderr)
for label, damage in DAMAGES:
    written(folder)
    damage(folder)
    outcome = check_passes(folder)
    if outcome.returncode == 0 or "FAULT" not in outcome.stdout:
        failures.append("not reported: %s (%s)" % (label, outcome.stdout.strip() or outcome.stderr.strip()))
for address in REFUSED_ADDRESSES:
    result = written(folder, address)
    if result.returncode == 0 or "write_manifests.py:" not in result.stderr:
        failures.append("the writer took the download address %r" % address)
for text in failures:
    print("FAIL:", text)
print("%d damages, %d refused addresses: %s" % (len(DAMAGES), len(REFUSED_ADDRESSES), "%d failures" % len(failures) if failures else "all as expected"))
sys.exit(1 if failures else 0)
