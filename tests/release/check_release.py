#!/usr/bin/env python3
"""Checks a release zip: exactly the portable folder, the files as the sources hold them, one
time on every entry, and two hardened executables of system DLLs only with a version resource.

    check_release.py <zip> <source folder> <product name> <version, e.g. 1.0.0>

Prints every fault it finds; exit code 0 when there is none.
"""
import os
import struct
import sys
import zipfile

# The only DLLs the executables may import: parts of every Windows (and of Wine).
SYSTEM_DLLS = {"advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll",
               "ole32.dll", "shell32.dll", "user32.dll"}
# Loading the shell library costs the command line a dozen more libraries at every start.
NOT_FOR_CONSOLE = {"shell32.dll", "user32.dll", "gdi32.dll", "comctl32.dll"}
# The wizard loads the libraries of its dialogs and of the shell's open on first use, not at start.
ON_FIRST_USE = {"shell32.dll", "ole32.dll", "comdlg32.dll"}
HARDENED = 0x0020 | 0x0040 | 0x0100  # high-entropy VA, dynamic base (ASLR), NX compatible (DEP)
RELOCS_STRIPPED = 0x0001
GUI, CONSOLE = 2, 3
RT_VERSION, RT_MANIFEST = 16, 24
EXECUTABLES = {"barloom.exe": GUI, "barloom-cli.exe": CONSOLE}

faults = []


def fault(text):
    faults.append(text)


class PeImage:
    """The parts of a PE32+ image these checks read, from its bytes."""

    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("no MZ header")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        self.machine, sections, _, _, _, optional_size, self.characteristics = struct.unpack_from("<HHIIIHH", data, pe + 4)
        optional = pe + 24
        self.magic = struct.unpack_from("<H", data, optional)[0]
        if self.magic != 0x20B:
            raise ValueError("not PE32+")
        self.subsystem, self.dll_characteristics = struct.unpack_from("<HH", data, optional + 68)
        count = struct.unpack_from("<I", data, optional + 108)[0]
        self.directories = [struct.unpack_from("<II", data, optional + 112 + 8 * i) for i in range(count)]
        self.sections = []
        for i in range(sections):
            _, size, address, raw_size, raw_offset = struct.unpack_from("<8sIIII", data, optional + optional_size + 40 * i)
            self.sections.append((address, max(size, raw_size), raw_offset))

    def offset(self, rva):
        for address, size, raw in self.sections:
            if address <= rva < address + size:
                return raw + rva - address
        raise ValueError("address 0x%x lies in no section" % rva)

    def directory(self, index):
        return self.directories[index] if index < len(self.directories) else (0, 0)

    def text(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def imports(self, at_start_only=False):
        names = []
        for index, size in ((1, 20),) + (() if at_start_only else ((13, 32),)):
            # imports, delay-load imports: name RVA at 12 and 4
            rva = self.directory(index)[0]
            name_at = 12 if index == 1 else 4
            while rva:
                entry = self.data[self.offset(rva):self.offset(rva) + size]
                if entry == bytes(size):
                    break
                names.append(self.text(struct.unpack_from("<I", entry, name_at)[0]))
                rva += size
        return names

    def resources(self, kind):
        """The data of every resource of this type (any name, any language)."""
        root = self.directory(2)[0]
        if not root:
            return []
        base = self.offset(root)
        found = []

        def walk(table, depth):
            named, numbered = struct.unpack_from("<HH", self.data, base + table + 12)
            for i in range(named + numbered):
                ident, target = struct.unpack_from("<II", self.data, base + table + 16 + 8 * i)
                if depth == 0 and ident != kind:
                    continue
                if target & 0x80000000:
                    walk(target & 0x7FFFFFFF, depth + 1)
                else:
                    rva, size = struct.unpack_from("<II", self.data, base + target)
                    found.append(self.data[self.offset(rva):self.offset(rva) + size])

        walk(0, 0)
        return found


def version_block(data, offset=0):
    """One block of a VS_VERSIONINFO tree: (key, value, children); a text value as str."""
    length, value_length, is_text = struct.unpack_from("<HHH", data, offset)
    key_end = offset + 6
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = data[offset + 6:key_end].decode("utf-16-le")
    value_start = (key_end + 2 + 3) & ~3
    value_size = value_length * 2 if is_text else value_length
    value = data[value_start:value_start + value_size]
    if is_text:
        value = value.decode("utf-16-le").rstrip("\0")
    children = []
    child = (value_start + value_size + 3) & ~3
    while child < offset + length:
        children.append(version_block(data, child))
        child = (child + struct.unpack_from("<H", data, child)[0] + 3) & ~3
    return key, value, children


def check_executable(name, data, product, version):
    try:
        image = PeImage(data)
        if image.machine != 0x8664:
            fault("%s: not an x86-64 executable" % name)
        if image.dll_characteristics & HARDENED != HARDENED:
            fault("%s: DllCharacteristics 0x%x lacks ASLR, DEP or high-entropy VA (0x160)"
                  % (name, image.dll_characteristics))
        if image.characteristics & RELOCS_STRIPPED or not image.directory(5)[1]:
            fault("%s: no relocations, so it cannot be moved for ASLR" % name)
        if image.subsystem != EXECUTABLES[name]:
            fault("%s: subsystem %d" % (name, image.subsystem))
        imported = {dll.lower() for dll in image.imports()}
        if not imported or imported - SYSTEM_DLLS:
            fault("%s: imports other than system DLLs: %s" % (name, sorted(imported - SYSTEM_DLLS)))
        if EXECUTABLES[name] == CONSOLE and imported & NOT_FOR_CONSOLE:
            fault("%s: imports %s" % (name, sorted(imported & NOT_FOR_CONSOLE)))
        at_start = {dll.lower() for dll in image.imports(at_start_only=True)}
        if EXECUTABLES[name] == GUI and at_start & ON_FIRST_USE:
            fault("%s: loads %s at start" % (name, sorted(at_start & ON_FIRST_USE)))
        if not image.resources(RT_MANIFEST):
            fault("%s: no manifest" % name)
        blocks = image.resources(RT_VERSION)
        if len(blocks) != 1:
            fault("%s: %d version resources" % (name, len(blocks)))
            return
        key, fixed, children = version_block(blocks[0])
        numbers = [int(n) for n in (version.split(".") + ["0"] * 4)[:4]]
        signature, _, most, least = struct.unpack_from("<IIII", fixed) if len(fixed) >= 16 else (0, 0, 0, 0)
        if key != "VS_VERSION_INFO" or signature != 0xFEEF04BD or \
                (most >> 16, most & 0xFFFF, least >> 16, least & 0xFFFF) != tuple(numbers):
            fault("%s: the version resource does not give file version %s" % (name, version))
        strings = {k: v for info, _, tables in children if info == "StringFileInfo"
                   for _, _, entries in tables for k, v, _ in entries}
        wanted = {"FileVersion": version, "ProductVersion": version, "OriginalFilename": name, "ProductName": product}
        if {k: strings.get(k) for k in wanted} != wanted:
            fault("%s: version strings %s, expected %s" % (name, strings, wanted))
    except (ValueError, struct.error, IndexError) as error:
        fault("%s: not a readable PE image (%s)" % (name, error))


def expected_files(source):
    """Name in the zip -> the source file it must equal (None for an executable)."""
    resources = os.path.join(source, "resources")
    files = {"barloom.exe": None, "barloom-cli.exe": None, "LICENSE": os.path.join(source, "LICENSE"),
             "README.txt": os.path.join(resources, "README.txt"), "Readme.htm": os.path.join(resources, "Readme.htm")}
    for bar in range(1, 21):
        for direction in ("Up", "Dn"):
            name = "%s_%02d.ico" % (direction, bar)
            files["icons/" + name] = os.path.join(resources, "icons", name)
    for name in os.listdir(os.path.join(resources, "Languages")):
        if name.endswith(".lng"):
            files["Languages/" + name] = os.path.join(resources, "Languages", name)
    return files


def check_zip(path, source, product, version):
    with zipfile.ZipFile(path) as archive:
        infos = archive.infolist()
        folders = {i.filename for i in infos if i.is_dir()}
        files = {i.filename: i for i in infos if not i.is_dir()}
        if folders != {"icons/", "Languages/"}:
            fault("folders %s" % sorted(folders))
        expected = expected_files(source)
        if set(files) != set(expected):
            fault("missing %s, not expected %s" % (sorted(set(expected) - set(files)), sorted(set(files) - set(expected))))
        if len(infos) != len(files) + len(folders):
            fault("an entry appears twice")
        if len({i.date_time for i in infos}) != 1 or any(i.extra for i in infos):
            fault("entries differ in time or carry extra fields")
        if archive.testzip() is not None:
            fault("a damaged entry: %s" % archive.testzip())
        for name, origin in sorted(expected.items()):
            if name not in files:
                continue
            data = archive.read(name)
            if origin is None:
                check_executable(name, data, product, version)
            elif data != open(origin, "rb").read():
                fault("%s differs from %s" % (name, origin))
        readme = archive.read("README.txt") if "README.txt" in files else b""
        if not readme or readme.count(b"\n") != readme.count(b"\r\n") or not readme.isascii():
            fault("README.txt is not plain ASCII text with CR LF line ends")


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    check_zip(*sys.argv[1:])
    for text in faults:
        print("FAULT:", text)
    print("%s: %s" % (sys.argv[1], "%d faults" % len(faults) if faults else "all checks pass"))
    sys.exit(1 if faults else 0)
