#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets from the inputs the unit tests use.

    python3 tools/make_fuzz_seeds.py [output folder]     (default: fuzz/corpus)

One folder per target (ini, number, settings, language, bar_import, icon_pixels), one small file per seed.
Each seed is laid out the way its target takes its input apart (LLVM's FuzzedDataProvider):
strings from the front, each ended by a backslash and one other byte (a backslash itself is
doubled), numbers and switches from the back, the last byte first. The output is the same on every
run, so the committed seeds can be checked against it.
"""
import pathlib
import struct
import sys

UTF8_MARK = b"\xef\xbb\xbf"
UTF16_MARK = b"\xff\xfe"


def utf16(text):
    return UTF16_MARK + text.encode("utf-16-le")


def front(text):
    """A string taken from the front, ended so that the next string starts after it."""
    return text.replace(b"\\", b"\\\\") + b"\\a"


def back(*values):
    """Bytes taken from the back, one per value, the first value from the very end."""
    return bytes(reversed(values))


# Files from the INI engine's tests: names, values, line ends, NUL bytes, UTF-16.
INI_FILES = {
    "names": b"[Sec]\r\nKey=val\r\n[ \tSec \t]\r\nk=v\r\n[S]\r\nbutton10=1\r\n k \r\nk=v\r\n",
    "values": b"[S]\r\n \t k \t = \t v w \t\x0b\x0c\x1a\r\nq=\"a\" \"b\"\r\ne=\r\nn=ab\x00cd\r\n",
    "line-ends": b"[S]\nk=1\rz=2\r\ny=3\r\r\nx=4",
    "headers": b"[S]\r\n[k]=v\r\nz=1\r\n[a]b] tail\r\n;[T]\r\n[abc\r\n",
    "top-lines": b"k=top\r\n[]\r\nk=v\r\n\xef\xbb\xbf[S]\r\n",
    "duplicates": b"[S]\r\na=1\r\n[T]\r\n[ s ]\r\nb=2\r\nk=1\r\nK=2\r\n",
    "binary": b"\x01\x02\xff\xfe\r\x7f[\n]]\x1a=\x80\r\n",
    "utf16": utf16("[Sec]\r\nk = \"v\" \r\nhigh=\u00e4\u20ac\r\nwide=\u0100\r\n") + b"\x00\xd8\x7f",
    "unterminated": b"[S]\r\nk",
}

# Writes (section, key, value) and reads (section, key, default, buffer size) on those files.
INI_OPERATIONS = [
    ("write", b"S", b"k", b"9"),
    ("write", b"T", b"a", b"b"),
    ("write", b"S", b"k", b"v\r"),
    ("read", b"sec", b"KEY", b"DEF", 40),
    ("write", b"S", b"[k]", b"v"),
    ("write", b" T  ", b"new\nz", b"  x y  "),
    ("read", b"S", b"z", b"", 4),
]


def ini_seed(file, operations):
    data = front(file)
    tail = [len(operations)]
    for operation in operations:
        kind, section, key, value = operation[:4]
        data += front(section) + front(key) + front(value)
        tail.append(1 if kind == "write" else 0)
        if kind == "read":
            tail.append(operation[4])
    return data + back(*tail)


def ini_seeds():
    seeds = {name: ini_seed(file, INI_OPERATIONS) for name, file in INI_FILES.items()}
    # A key or section that starts with the UTF-8 mark, written into a UTF-16 file: it is written
    # as the UTF-8 it carries ("[x]" makes a header line).
    seeds["utf16-key-with-utf8-mark"] = ini_seed(UTF16_MARK, [("write", b"S", UTF8_MARK + b"[x]", b"v")])
    seeds["utf16-section-with-utf8-mark"] = ini_seed(UTF16_MARK, [("write", UTF8_MARK + b"[x]", b"k", b"v")])
    return seeds


# Texts from the number tests; the first 8 bytes of each also stand for a double.
NUMBERS = [
    b"12abc", b" 7 ", b"\t-\n 1 . 5", b"1\r2", b".5", b"1.2.3", b"1,5", b"25e-1", b"1D2", b"1e+",
    b"&HFF", b"&o78", b"-&H10", b"2610,3240", b"123456789012345678901234567890", b"1e-320",
    b"0.000000000000000000000000000000000000000000000001e48", b"1e99999999999999999999999999",
    b"32764.5", b"-32768.5", b"\x00\x00\x00\x00\x00\x00\xf0\x7f", struct.pack("<d", 2.5),
]


def number_seeds():
    return {"%02d" % i: text for i, text in enumerate(NUMBERS)}


# Settings files from the settings tests; two window coordinates come from the back.
SETTINGS_FILES = {
    "first-start": b"[Barloom]\r\nBarFilePrefix=Bar_\r\n",
    "all-keys": b"[Barloom]\r\nBarFilePrefix=Set_\r\nLastPath=C:\\bars\r\nLanguageFile=C:\\L\\German.lng\r\n"
                b"UseDefaultLanguage=0\r\nFontScript=178.5\r\nMainWindowPosition=1200,-15\r\n",
    "out-of-range": b"[Barloom]\r\nUseDefaultLanguage=99999\r\nFontScript=1e999\r\nMainWindowPosition=1e300,5\r\n",
    "one-field": b"[barloom]\nMainWindowPosition=2610\n",
    "marked-utf8": b"[Barloom]\r\nLastPath=" + UTF8_MARK + "D:\\Панели\\バー".encode("utf-8") + b"\r\n",
    "utf16": utf16("[Barloom]\r\nFontScript=204\r\nLastPath=D:\\\u0411\r\n"),
    "marker": b"[Barloom]\r\nLastPath=///cannot.find.this.data.here\\\\\\\r\n",
}


def settings_seed(file):
    # Each coordinate: a switch, then (in range) an 8-byte fraction of the range.
    coordinate = [0] + [0x80] * 8
    return file + back(*(coordinate + coordinate))


def settings_seeds():
    return {name: settings_seed(file) for name, file in SETTINGS_FILES.items()}


# Language files from the localisation tests, shown on a small form.
LANGUAGE_FILES = {
    "translation": (b"[UserLanguage]\r\n101=&Datei\r\n110= /E \r\n150=\r\n604=Weiter\r\n", 1),
    "right-to-left": (b"[UserLanguage]\r\nRightToLeftLanguage=1\r\n604=\xe4\xf9\r\n", 177),
    "utf8": (UTF8_MARK + "[UserLanguage]\r\n101=&Файл קובץ\r\n110=/E\r\n".encode("utf-8"), 204),
    "broken-utf8": (UTF8_MARK + b"[UserLanguage]\r\n101=a\xffb\xc0\xafc\r\n110=\xe2\x82\r\n150=ab\xe2\x82", 1),
    "utf16": (utf16("[UserLanguage]\r\nRightToLeftLanguage=1\r\n101=&\u0424\u0430\u0439\u043b\r\n"), 0),
    "long-value": (b"[UserLanguage]\r\n101=" + b"x" * 4094 + "ש".encode("utf-8") + b"\r\n", 1),
    "other-section": (b"[Other]\r\n101=no\r\n[UserLanguage]\r\nRightToLeftLanguage=2 (Arabic)\r\n", 255),
}

# (kind number in the target's table, text ID); toolbars and tabs take a second item's text ID.
LANGUAGE_CONTROLS = [(5, 101), (0, 620), (3, 604), (6, 605), (8, 0)]
TOOLBAR_KINDS = (6, 7)
TOOLBAR_ITEM_TEXT = 602


def int16(value):
    raw = value + 0x8000  # a 16-bit signed number is taken as its offset from -32768
    return [raw >> 8, raw & 0xFF]


def language_seed(file, font_script, controls):
    tail = int16(font_script) + [0, len(controls)] + int16(1001)
    for kind, text_id in controls:
        tail += [kind] + int16(text_id)
        if kind in TOOLBAR_KINDS:
            tail += int16(TOOLBAR_ITEM_TEXT)
    return file + back(*tail)


def language_seeds():
    return {name: language_seed(file, font, LANGUAGE_CONTROLS) for name, (file, font) in LANGUAGE_FILES.items()}


# Source bars from the import tests: (bytes, bar count, bar, bar importing itself).
FIVE_BUTTONS = b"".join(
    b"button%d=%s.ico\r\ncmd%d=%s.exe\r\nmenu%d=%s\r\n" % (n, c, n, c, n, c.upper())
    for n, c in enumerate([b"a", b"b", b"c", b"d", b"e"], 1))
BAR_SOURCES = {
    "half-count": (b"[ButtonBar]\r\n" + FIVE_BUTTONS + b"ButtonCount=3.5\r\n", 3, 1, False),
    "trimming": (b"[ButtonBar]\r\nButtonCount=3\r\nbutton2=\"  q.ico \"\r\ncmd3=  x  \r\nmenu1=\r\n", 2, 2, False),
    "second-section": (b"[ButtonBar]\r\nbuttoncount=2\r\nbutton4=new\r\nbutton1=one\r\n[buttonbar]\r\nbutton2=x\r\n",
                       2, 1, False),
    "no-section": (b"no section at all\r\nButtonCount=4\r\n", 4, 3, False),
    "line-feeds": (b"[ButtonBar]\nButtonCount=2\ncmd1=lf only\ncmd2=" + b"v" * 300 + b"\n", 20, 20, False),
    "negative-count": (b"[ButtonBar]\r\nButtonCount=-3\r\nbutton1=a.ico\r\n", 2, 1, False),
    "hex-count": (b"[ButtonBar]\r\nButtonCount=&H1F\r\nbutton31=last\r\n", 3, 2, False),
    "itself": (b"", 2, 1, True),
    "itself-behind-a-bar": (b"[ButtonBar]\r\nButtonCount=2\r\nbutton1=x\r\n", 5, 4, True),
}


def bar_import_seed(source, bar_count, bar, itself):
    return source + back(bar_count - 2, bar - 1, 1 if itself else 0)


def bar_import_seeds():
    return {name: bar_import_seed(*seed) for name, seed in BAR_SOURCES.items()}


def icon_image(size, bits, alpha):
    """An image as icon files store it: the bitmap header, the colours bottom-up, the mask."""
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bits, 0, 0, 0, 0, 0, 0)
    colours = b"".join(bytes((x * 16 % 256, y * 16 % 256, 128, alpha)[:bits // 8])
                       for y in range(size) for x in range(size))
    mask = b"\x00" * (((size + 31) // 32) * 4 * size)
    return header + colours + mask


def icon_file(*images):
    """An icon file of (size, image bytes) entries, their directory first."""
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in images:
        directory += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return directory + b"".join(image for _, image in images)


# Icon files, the size asked for in the last byte.
ICON_FILES = {
    "one-image": (icon_file((16, icon_image(16, 32, 255))), 16),
    "sizes-and-depths": (icon_file((8, icon_image(8, 24, 0)), (8, icon_image(8, 32, 128)), (4, icon_image(4, 32, 0))), 8),
    "compressed": (icon_file((16, b"\x89PNG\r\n\x1a\n" + b"\x00" * 40)), 16),
    "no-such-size": (icon_file((16, icon_image(16, 32, 255))), 24),
}


def icon_pixels_seeds():
    return {name: data + back(size) for name, (data, size) in ICON_FILES.items()}


TARGETS = {
    "ini": ini_seeds,
    "number": number_seeds,
    "settings": settings_seeds,
    "language": language_seeds,
    "bar_import": bar_import_seeds,
    "icon_pixels": icon_pixels_seeds,
}


def main():
    out = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parent.parent / "fuzz" / "corpus")
    for target, seeds in TARGETS.items():
        folder = out / target
        folder.mkdir(parents=True, exist_ok=True)
        for name, data in seeds().items():
            (folder / name).write_bytes(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
