#!/usr/bin/env python3
"""Draws the emblem picture resources/emblem.jpg.

A gold ring with two horn-like prongs curving up and out of it and winged
scrollwork below, on the window's light blue. Drawn at four times the size
and scaled down so the edges come out smooth.

Usage: python3 make_emblem.py [output.jpg]
(draw_emblem(size) also draws it larger, for the web page's app icons.)
"""

import math
import os
import sys

from PIL import Image, ImageDraw

WIDTH, HEIGHT = 63, 87
SCALE = 4

BACKGROUND = (166, 202, 240)   # the window colour; the program relies on it
OUTLINE = (150, 70, 10)
ORANGE = (232, 122, 28)
GOLD = (222, 178, 48)
LIGHT_GOLD = (250, 222, 120)


def px(value, scale):
    return value * scale


def bezier(p0, p1, p2, p3, steps=60):
    points = []
    for i in range(steps + 1):
        t = i / steps
        u = 1 - t
        x = u ** 3 * p0[0] + 3 * u * u * t * p1[0] + 3 * u * t * t * p2[0] + t ** 3 * p3[0]
        y = u ** 3 * p0[1] + 3 * u * u * t * p1[1] + 3 * u * t * t * p2[1] + t ** 3 * p3[1]
        points.append((x, y))
    return points


def spiral(centre, start_angle, radius, turns, clockwise, steps=50):
    """Curl that winds inwards, used for the ends of the scrollwork."""
    points = []
    sign = 1 if clockwise else -1
    for i in range(steps + 1):
        t = i / steps
        angle = start_angle + sign * t * turns * 2 * math.pi
        r = radius * (1 - 0.75 * t)
        points.append((centre[0] + r * math.cos(angle), centre[1] + r * math.sin(angle)))
    return points


def tapered(path, width_start, width_end):
    """Polygon around a path whose width changes linearly along it."""
    left, right = [], []
    count = len(path)
    for i, (x, y) in enumerate(path):
        a = path[max(i - 1, 0)]
        b = path[min(i + 1, count - 1)]
        dx, dy = b[0] - a[0], b[1] - a[1]
        length = math.hypot(dx, dy) or 1.0
        nx, ny = -dy / length, dx / length
        w = (width_start + (width_end - width_start) * i / (count - 1)) / 2
        left.append((x + nx * w, y + ny * w))
        right.append((x - nx * w, y - ny * w))
    return left + right[::-1]


def scaled(points, scale):
    return [(px(x, scale), px(y, scale)) for x, y in points]


def layered_stroke(draw, scale, path, width_start, width_end, body, border=0.9):
    """Outline first, then the body, then a thin highlight along it."""
    draw.polygon(scaled(tapered(path, width_start + 2 * border, width_end + 2 * border), scale),
                 fill=OUTLINE)
    draw.polygon(scaled(tapered(path, width_start, width_end), scale), fill=body)
    shine = [(x - 0.35, y - 0.35) for x, y in path]
    draw.polygon(scaled(tapered(shine, width_start * 0.3, width_end * 0.2), scale), fill=LIGHT_GOLD)


def circle(cx, cy, radius, scale):
    """Bounding box of a circle, for ellipse and arc."""
    return [px(cx - radius, scale), px(cy - radius, scale), px(cx + radius, scale), px(cy + radius, scale)]


def mirrored(points, centre_x):
    return [(2 * centre_x - x, y) for x, y in points]


def draw_emblem(size=1):
    """The emblem at size times its 63 x 87 pixels, drawn SCALE times larger still."""
    scale = SCALE * size
    image = Image.new("RGB", (px(WIDTH, scale), px(HEIGHT, scale)), BACKGROUND)
    draw = ImageDraw.Draw(image)
    cx = (WIDTH - 1) / 2
    ring_y = 49.0

    # Prongs: rise from the shoulders of the ring, bend outwards, end in a point.
    prong = bezier((cx - 5.5, ring_y - 6.0), (cx - 9.0, ring_y - 20.0),
                   (cx - 25.0, ring_y - 22.0), (cx - 24.5, ring_y - 42.0))
    for path in (prong, mirrored(prong, cx)):
        layered_stroke(draw, scale, path, 6.5, 0.6, ORANGE)

    # Inner pair of smaller prongs keeps the top from looking empty.
    inner = bezier((cx - 2.5, ring_y - 8.0), (cx - 3.5, ring_y - 16.0),
                   (cx - 10.0, ring_y - 20.0), (cx - 9.0, ring_y - 29.0))
    for path in (inner, mirrored(inner, cx)):
        layered_stroke(draw, scale, path, 3.6, 0.4, GOLD)

    # Wings under the ring: a sweep outwards that rolls up into a curl.
    sweep = bezier((cx - 3.0, ring_y + 8.0), (cx - 10.0, ring_y + 16.0),
                   (cx - 22.0, ring_y + 8.0), (cx - 25.0, ring_y + 16.0))
    curl = spiral((cx - 22.0, ring_y + 18.0), math.pi * 1.1, 3.6, 0.9, clockwise=False)
    wing = sweep + curl[1:]
    for path in (wing, mirrored(wing, cx)):
        layered_stroke(draw, scale, path, 5.0, 1.0, GOLD)

    # A second, lower feather of each wing.
    feather = bezier((cx - 2.0, ring_y + 13.0), (cx - 7.0, ring_y + 22.0),
                     (cx - 15.0, ring_y + 19.0), (cx - 17.0, ring_y + 25.0))
    feather_curl = spiral((cx - 14.5, ring_y + 26.5), math.pi * 1.05, 2.6, 0.85,
                          clockwise=False)
    feather_path = feather + feather_curl[1:]
    for path in (feather_path, mirrored(feather_path, cx)):
        layered_stroke(draw, scale, path, 3.8, 0.8, ORANGE)

    # Pendant drop hanging from the middle of the wings.
    drop = bezier((cx, ring_y + 9.0), (cx, ring_y + 20.0), (cx, ring_y + 26.0), (cx, ring_y + 33.0))
    layered_stroke(draw, scale, drop, 4.2, 0.5, ORANGE)

    # The ring itself, drawn last so it sits on top of everything it joins.
    outer, inner_r = 9.0, 5.2
    for radius, colour in ((outer + 0.9, OUTLINE), (outer, GOLD)):
        draw.ellipse(circle(cx, ring_y, radius, scale), fill=colour)
    # Highlight on the upper left of the band.
    draw.arc(circle(cx, ring_y, 7.3, scale), 170, 280,
             fill=LIGHT_GOLD, width=round(px(1.3, scale)))
    draw.arc(circle(cx, ring_y, 7.3, scale), 10, 100,
             fill=ORANGE, width=round(px(1.3, scale)))
    for radius, colour in ((inner_r + 0.9, OUTLINE), (inner_r, BACKGROUND)):
        draw.ellipse(circle(cx, ring_y, radius, scale), fill=colour)

    return image.resize((WIDTH * size, HEIGHT * size), Image.LANCZOS)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "emblem.jpg")
    image = draw_emblem()
    # Baseline JFIF at 96 dpi; quality chosen to keep the file near 3 KB.
    image.save(target, "JPEG", quality=90, dpi=(96, 96), progressive=False,
               optimize=False, subsampling="4:2:0")


if __name__ == "__main__":
    main()
