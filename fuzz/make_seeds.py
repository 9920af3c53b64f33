#!/usr/bin/env python3
"""Writes the hand-made seed inputs of the fuzz targets into fuzz/corpus/.

The planner inputs follow the action format described at the top of
PlannerActionsFuzzer.cpp. The JPEG seeds are the emblem, small lossless
variants of it (needs jpegtran from libjpeg-turbo-progs) and damaged copies.
"""

import pathlib
import subprocess

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parent

CLASS_BOX, LEVEL = 0, 1
CLASSES = ["Gladiator", "Seraphim", "Waldelfin", "Dunkelelf", "Kampfmagier", "Vampirin"]


def skill(number):
    return number + 1


def char(c):
    code = ord(c)
    if code < 0x80:
        return bytes([code])
    return bytes([0x80 | (code >> 16), (code >> 8) & 0xFF, code & 0xFF])


def text(t):
    return bytes([len(t)]) + b"".join(char(c) for c in t)


def pick(name):
    return bytes([CLASS_BOX, 0, CLASSES.index(name)])


def type_class(start, length, c):
    return bytes([CLASS_BOX, 1, start, length]) + char(c)


def backspace_class(start, length):
    return bytes([CLASS_BOX, 2, start, length])


def class_up():
    return bytes([CLASS_BOX, 3])


def class_down():
    return bytes([CLASS_BOX, 4])


def edit_class(t):
    return bytes([CLASS_BOX, 5]) + text(t)


def type_field(field, start, length, c):
    return bytes([field, 0, start, length]) + char(c)


def paste(field, start, length, t):
    return bytes([field, 1, start, length]) + text(t)


def edit(field, t):
    return bytes([field, 2]) + text(t)


def up(field):
    return bytes([field, 3])


def down(field):
    return bytes([field, 4])


def leave(field):
    return bytes([field, 5])


def set_level(digits, shown=1):
    """Selects the level text (shown characters long) and types digits."""
    out = type_field(LEVEL, 0, shown, digits[0])
    for i, c in enumerate(digits[1:], start=1):
        out += type_field(LEVEL, i, 0, c)
    return out


PLANNER = {
    "class_changes": pick("Seraphim") + pick("Vampirin") + type_class(0, 8, "k") + backspace_class(1, 0)
    + type_class(1, 0, "a") + class_up() + class_down() + class_down() + edit_class("Dunkelelf")
    + edit_class("xyz") + type_class(0, 9, "w") + backspace_class(0, 0),
    "level_changes": set_level("250") + up(LEVEL) + down(LEVEL) + paste(LEVEL, 0, 3, "999") + leave(LEVEL)
    + edit(LEVEL, "-5") + leave(LEVEL) + edit(LEVEL, "") + type_field(LEVEL, 0, 0, ",") + set_level("12")
    + down(LEVEL),
    "overspend": set_level("3") + type_field(skill(1), 0, 1, "5") + up(skill(5)) + up(skill(5)) + up(skill(18))
    + up(skill(18)) + up(skill(18)) + up(skill(22)) + down(skill(1)) + set_level("1") + up(skill(1)),
    "unicode": paste(skill(1), 0, 1, "\u00b2\u0661") + type_class(0, 9, "\u00fc") + edit_class("Gl\u00e4diator")
    + paste(LEVEL, 0, 1, "\u00bd") + type_field(skill(18), 0, 1, "\U0001F600") + edit(skill(1), "+1"),
    "high_level": pick("Kampfmagier") + set_level("250") + up(skill(2)) + up(skill(11)) + up(skill(12))
    + up(skill(13)) + up(skill(14)) + up(skill(21)) + paste(skill(5), 0, 1, "200") + paste(skill(23), 0, 1, "99")
    + leave(skill(5)) + pick("Gladiator") + down(LEVEL),
}


def jpegtran(*args):
    return subprocess.run(["jpegtran", *args, str(ROOT / "resources" / "emblem.jpg")],
                          check=True, capture_output=True).stdout


def flip(data, offsets):
    data = bytearray(data)
    for offset in offsets:
        data[offset] ^= 0x5A
    return bytes(data)


def jpeg_seeds():
    emblem = (ROOT / "resources" / "emblem.jpg").read_bytes()
    small = jpegtran("-crop", "16x16+8+8", "-copy", "none")
    seeds = {
        "emblem.jpg": emblem,
        "small.jpg": small,
        "progressive.jpg": jpegtran("-crop", "16x16+8+8", "-copy", "none", "-progressive"),
        "grey.jpg": jpegtran("-crop", "16x16+8+8", "-copy", "none", "-grayscale"),
        "restart.jpg": jpegtran("-crop", "16x16+8+8", "-copy", "none", "-restart", "1B"),
        "arithmetic.jpg": jpegtran("-crop", "16x16+8+8", "-copy", "none", "-arithmetic"),
        "truncated-half.jpg": emblem[: len(emblem) // 2],
        "truncated-header.jpg": small[:200],
        "damaged-scan.jpg": flip(small, range(len(small) - 40, len(small) - 2, 7)),
    }
    return seeds


def main():
    planner_dir = HERE / "corpus" / "planner"
    planner_dir.mkdir(parents=True, exist_ok=True)
    for name, data in PLANNER.items():
        (planner_dir / name).write_bytes(data)
    jpeg_dir = HERE / "corpus" / "jpeg"
    jpeg_dir.mkdir(parents=True, exist_ok=True)
    for name, data in jpeg_seeds().items():
        (jpeg_dir / name).write_bytes(data)


if __name__ == "__main__":
    main()
