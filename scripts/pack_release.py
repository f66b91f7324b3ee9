#!/usr/bin/env python3
"""Packs the portable folder into one zip with the same bytes on every run from the same files.

    pack_release.py <folder with the executables> <source folder> <output zip>

The executables come from the build, everything else from the sources (never from the build's
folder, where a run of the program leaves barloom.ini and bar files). Every entry carries the
time SOURCE_DATE_EPOCH gives (seconds since 1970, UTC; default 2026-01-01 00:00), Windows
attributes and no extra fields, in a fixed order.
"""
import os
import sys
import time
import zipfile

DEFAULT_EPOCH = 1767225600  # 2026-01-01 00:00 UTC
DIRECTORY_ATTRIBUTE = 0x10  # FILE_ATTRIBUTE_DIRECTORY
ARCHIVE_ATTRIBUTE = 0x20  # FILE_ATTRIBUTE_ARCHIVE
CREATED_ON_WINDOWS = 0


def entries(executables, source):
    """(name in the zip, file it comes from; None for a folder), folders before their files."""
    resources = os.path.join(source, "resources")
    listed = [
        ("barloom.exe", os.path.join(executables, "barloom.exe")),
        ("barloom-cli.exe", os.path.join(executables, "barloom-cli.exe")),
        ("LICENSE", os.path.join(source, "LICENSE")),
        ("README.txt", os.path.join(resources, "README.txt")),
        ("Readme.htm", os.path.join(resources, "Readme.htm")),
    ]
    # No "bars" folder: the first Create makes it. A folder in the zip is one a package manager
    # owns, and winget deletes such a folder with everything in it at an update.
    for folder, extension in (("icons", ".ico"), ("Languages", ".lng")):
        listed.append((folder + "/", None))
        names = sorted(n for n in os.listdir(os.path.join(resources, folder)) if n.lower().endswith(extension))
        listed += [(folder + "/" + n, os.path.join(resources, folder, n)) for n in names]
    return listed


def pack(executables, source, output):
    epoch = int(os.environ.get("SOURCE_DATE_EPOCH", DEFAULT_EPOCH))
    # Zip times are local times without a zone: the UTC time, so that every machine agrees.
    stamp = time.gmtime(max(epoch, 315532800))[:6]  # zip times start in 1980
    partial = output + ".partial"
    with zipfile.ZipFile(partial, "w") as archive:
        for name, path in entries(executables, source):
            info = zipfile.ZipInfo(name, stamp)
            info.create_system = CREATED_ON_WINDOWS
            if path is None:
                info.external_attr = DIRECTORY_ATTRIBUTE
                archive.writestr(info, b"")
                continue
            info.external_attr = ARCHIVE_ATTRIBUTE
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(path, "rb") as file:
                archive.writestr(info, file.read(), compresslevel=9)
    # A failed run leaves no zip that looks complete.
    os.replace(partial, output)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    pack(*sys.argv[1:])
