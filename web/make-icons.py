#!/usr/bin/python3
"""Draws the page's app icons: the emblem on a square of the window's blue
with rounded corners, as the desktop program's icons, but drawn at each
size from the emblem's own shapes rather than scaled up from its 63 x 87
picture.

Usage: /usr/bin/python3 web/make-icons.py OUTPUT_FOLDER SIZE...
Writes OUTPUT_FOLDER/rollwerk-SIZE.png for each size.
"""

import math
import os
import sys

sys.dont_write_bytecode = True  # leaves no cache in the source folders
ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
sys.path[:0] = [os.path.join(ROOT, "resources"), os.path.join(ROOT, "packaging")]

from PIL import Image  # noqa: E402

import make_emblem  # noqa: E402
from make_icons import BACKGROUND, MARGIN, corner_mask  # noqa: E402


def icon(side):
    height = round(side * (1 - 2 * MARGIN))
    width = round(height * make_emblem.WIDTH / make_emblem.HEIGHT)
    emblem = make_emblem.draw_emblem(math.ceil(height / make_emblem.HEIGHT))
    emblem = emblem.resize((width, height), Image.LANCZOS)
    tile = Image.new("RGB", (side, side), BACKGROUND)
    tile.paste(emblem, ((side - width) // 2, (side - height) // 2))
    image = tile.convert("RGBA")
    image.putalpha(corner_mask(side))
    return image


def main():
    target = sys.argv[1]
    os.makedirs(target, exist_ok=True)
    for side in map(int, sys.argv[2:]):
        # A palette of 32 colours looks the same (looked at beside the full colours)
        # at a sixth of the size: the 512 px icon about 15 KB.
        image = icon(side).quantize(colors=32, method=Image.Quantize.FASTOCTREE)
        # PIL writes no time stamp, so a rebuild gives the same bytes (and the same cache name).
        image.save(os.path.join(target, f"rollwerk-{side}.png"), "PNG", optimize=True)


if __name__ == "__main__":
    main()
