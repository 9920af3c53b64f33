#!/usr/bin/python3
"""The page's fonts, cut to the characters it can show and packed as WOFF2.

Run at build time once the site's page, script and WebAssembly are in place:
    subset-fonts.py FONT_DIR SITE_DIR

Every face the stylesheet names as fonts/NAME.woff2 is made from
FONT_DIR/NAME.ttf (Debian's fonts-liberation), keeping Latin-1 and every
other character that appears in the site's texts (the page, its script and
the core's WebAssembly, whose German texts are UTF-8 in its data section).
Text typed into the page beyond these falls back to the system's faces. The
glyphs and the layout features are kept as they are; the hinting programs,
two thirds of each face, are left out: the browser's rasteriser draws the
window the same without them (docs/decisions.md).
"""

import re
import sys
from pathlib import Path

from fontTools import subset

LATIN_1 = set(range(0x20, 0x7F)) | set(range(0xA0, 0x100))
FACE = re.compile(r"url\(['\"]?fonts/([A-Za-z]+-[A-Za-z]+)\.woff2")
TEXT_FILES = ("index.html", "main.js", "goals.js", "rollwerk_core.wasm")


def leb128(data: bytes, at: int) -> tuple[int, int]:
    """An unsigned LEB128 number at data[at], and where the bytes after it start."""
    value = shift = 0
    while True:
        byte = data[at]
        at += 1
        value |= (byte & 0x7F) << shift
        shift += 7
        if byte < 0x80:
            return value, at


def wasm_data(module: bytes) -> bytes:
    """A WebAssembly module's data section, which holds its texts: read as
    text, its code would add whatever characters its bytes happen to spell
    (and the faces' size would follow every change of the code)."""
    data_section = 11
    data = b""
    at = 8  # after the magic number and the version
    while at < len(module):
        section = module[at]
        size, at = leb128(module, at + 1)
        if section == data_section:
            data += module[at : at + size]
        at += size
    return data


def shown_characters(site: Path) -> set[int]:
    characters = set(LATIN_1)
    for name in TEXT_FILES:
        content = (site / name).read_bytes()
        if name.endswith(".wasm"):
            content = wasm_data(content)
        text = content.decode("utf-8", errors="ignore")
        characters.update(ord(ch) for ch in text if ord(ch) > 0xFF and ch.isprintable())
    return characters


def main() -> None:
    font_dir, site = Path(sys.argv[1]), Path(sys.argv[2])
    faces = sorted(set(FACE.findall((site / "style.css").read_text(encoding="utf-8"))))
    if not faces:
        sys.exit(f"{site / 'style.css'} names no font of fonts/")
    characters = shown_characters(site)
    options = subset.Options()
    options.flavor = "woff2"
    options.hinting = False
    options.layout_features = ["*"]
    options.name_IDs = ["*"]
    options.notdef_outline = True
    (site / "fonts").mkdir(exist_ok=True)
    for face in faces:
        font = subset.load_font(str(font_dir / f"{face}.ttf"), options)
        subsetter = subset.Subsetter(options)
        subsetter.populate(unicodes=characters)
        subsetter.subset(font)
        subset.save_font(font, str(site / "fonts" / f"{face}.woff2"), options)


if __name__ == "__main__":
    main()
