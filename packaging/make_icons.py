#!/usr/bin/python3
"""Makes the hicolor application icons from resources/emblem.jpg.

The 63 x 87 emblem is centred on a square tile of the window's light blue
(the JPEG's own background, so the padding is seamless) with rounded,
transparent corners. Run it again whenever the emblem changes and commit
the PNGs; the build itself needs no Python.

Usage: /usr/bin/python3 packaging/make_icons.py [emblem.jpg] [output folder]
"""

import os
import sys

from PIL import Image, ImageDraw

APP_ID = "de.rollwerk.Rollwerk"
SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
BACKGROUND = (166, 202, 240)   # the window colour, as in the emblem
MARGIN = 0.06                  # share of the side kept free around the emblem
CORNER = 0.16                  # corner radius as a share of the side
OVERSAMPLE = 4                 # the corner mask is drawn larger for smooth edges


def square_tile(emblem):
    """The emblem on a square of the background colour, at the emblem's scale."""
    side = round(max(emblem.size) / (1 - 2 * MARGIN))
    tile = Image.new("RGB", (side, side), BACKGROUND)
    tile.paste(emblem, ((side - emblem.width) // 2, (side - emblem.height) // 2))
    return tile


def corner_mask(size):
    big = size * OVERSAMPLE
    mask = Image.new("L", (big, big), 0)
    ImageDraw.Draw(mask).rounded_rectangle([0, 0, big - 1, big - 1],
                                           radius=round(big * CORNER), fill=255)
    return mask.resize((size, size), Image.LANCZOS)


def icon(tile, size):
    image = tile.resize((size, size), Image.LANCZOS).convert("RGBA")
    image.putalpha(corner_mask(size))
    return image


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    source = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources", "emblem.jpg")
    target = sys.argv[2] if len(sys.argv) > 2 else os.path.join(here, "icons")
    with Image.open(source) as emblem:
        tile = square_tile(emblem.convert("RGB"))
    os.makedirs(target, exist_ok=True)
    for size in SIZES:
        path = os.path.join(target, f"{size}x{size}", APP_ID + ".png")
        os.makedirs(os.path.dirname(path), exist_ok=True)
        # optimize keeps the files small; PIL writes no time stamp, so reruns are byte-identical.
        icon(tile, size).save(path, "PNG", optimize=True)
        print(path)


if __name__ == "__main__":
    main()
