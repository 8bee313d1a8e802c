#!/usr/bin/env python3
"""Draws the about box's pictures and writes them; both are committed, run this only to change
them:
    python3 tools/make-images.py src/win32/resources
Hand.ico      the pointer over the about box's links: a hand with a pointing finger, 32 x 32
Donation.bmp  the donation button: a golden button with a heart, 80 x 31
"""
import os
import struct
import sys


def hand(x, y):
    """RGBA of the hand pointer at pixel (x, y) of 32 x 32: black outline, white fill."""
    finger = 10 <= x <= 14 and 2 <= y <= 17
    palm = 6 <= x <= 24 and 14 <= y <= 28 and not (x >= 22 and y <= 15)
    knuckles = any(k <= x <= k + 4 and 12 <= y <= 16 for k in (14, 18))
    inside = finger or palm or knuckles
    if not inside:
        # the outline: next to the shape
        near = any(
            (10 <= x + dx <= 14 and 2 <= y + dy <= 17)
            or (6 <= x + dx <= 24 and 14 <= y + dy <= 28)
            for dx in (-1, 0, 1)
            for dy in (-1, 0, 1)
        )
        return (0, 0, 0, 255) if near else (0, 0, 0, 0)
    return (255, 255, 255, 255)


def ico(size, pixel):
    rows = b"".join(
        bytes(c for px in (pixel(x, y) for x in range(size)) for c in (px[2], px[1], px[0], px[3]))
        for y in reversed(range(size))
    )
    mask = b"\0" * (((size + 31) // 32) * 4 * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(rows) + len(mask), 0, 0, 0, 0)
    image = header + rows + mask
    return struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), 22) + image


def donation(x, y):
    """RGB of the donation button at (x, y) of 80 x 31."""
    corner = 6
    dx = max(corner - x, 0, x - (79 - corner))
    dy = max(corner - y, 0, y - (30 - corner))
    if dx * dx + dy * dy > corner * corner:
        return (255, 255, 255)
    edge = dx * dx + dy * dy > (corner - 1.5) ** 2 or x in (0, 79) or y in (0, 30)
    if edge:
        return (150, 110, 20)
    # a heart in the middle
    u, v = (x - 40) / 9.0, (y - 14) / 9.0
    heart = (u * u + v * v - 1) ** 3 - u * u * v * v * v < 0
    if heart:
        return (200, 30, 40)
    shade = int(60 * y / 30)
    return (255, 215 - shade, 80 - shade // 2)


def bmp(width, height, pixel):
    stride = (width * 3 + 3) & ~3
    rows = b""
    for y in reversed(range(height)):
        row = b"".join(bytes((b, g, r)) for r, g, b in (pixel(x, y) for x in range(width)))
        rows += row + b"\0" * (stride - len(row))
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    return b"BM" + struct.pack("<IHHI", 14 + 40 + len(rows), 0, 0, 54) + header + rows


if __name__ == "__main__":
    folder = sys.argv[1]
    with open(os.path.join(folder, "Hand.ico"), "wb") as f:
        f.write(ico(32, hand))
    with open(os.path.join(folder, "Donation.bmp"), "wb") as f:
        f.write(bmp(80, 31, donation))
