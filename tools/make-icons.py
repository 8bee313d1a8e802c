#!/usr/bin/env python3
"""Draws the program's icon (a disc with a padlock) at 16, 32 and 48 pixels and writes it as a
Windows .ico file. The icon is committed; run this only to change it:
    python3 tools/make-icons.py src/win32/resources/Velkor.ico
"""
import math
import struct
import sys


def pixel(size, x, y):
    """RGBA of one pixel, drawn with 4x4 supersampling."""
    acc = [0.0, 0.0, 0.0, 0.0]
    for sy in range(4):
        for sx in range(4):
            u = (x + (sx + 0.5) / 4) / size  # 0..1
            v = (y + (sy + 0.5) / 4) / size
            c = shade(u, v)
            if c:
                a = c[3] / 255.0
                for i in range(3):
                    acc[i] += c[i] * a
                acc[3] += a
    if acc[3] == 0:
        return (0, 0, 0, 0)
    return tuple(int(acc[i] / acc[3]) for i in range(3)) + (int(255 * acc[3] / 16),)


def shade(u, v):
    # padlock in the lower right: body and shackle
    if 0.50 <= u <= 0.96 and 0.60 <= v <= 0.97:
        return (200, 30, 30, 255) if not (0.70 <= u <= 0.76 and 0.72 <= v <= 0.86) else (60, 0, 0, 255)
    su, sv = u - 0.73, v - 0.60
    r = math.hypot(su, sv)
    if sv <= 0 and 0.11 <= r <= 0.18:
        return (90, 90, 100, 255)
    # disc
    du, dv = u - 0.42, v - 0.42
    d = math.hypot(du, dv)
    if d <= 0.40:
        if d <= 0.06:
            return None
        if d <= 0.12:
            return (120, 120, 130, 255)
        angle = math.atan2(dv, du)
        t = 0.5 + 0.5 * math.sin(angle * 2)
        return (int(150 + 80 * t), int(170 + 60 * (1 - t)), int(210 + 40 * t), 255)
    if d <= 0.42:
        return (70, 70, 80, 255)
    return None


def image(size):
    rows = []
    for y in range(size - 1, -1, -1):  # bottom-up
        row = b''
        for x in range(size):
            r, g, b, a = pixel(size, x, y)
            row += bytes((b, g, r, a))
        rows.append(row)
    xor = b''.join(rows)
    mask_row = ((size + 31) // 32) * 4
    and_mask = b'\x00' * (mask_row * size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    return header + xor + and_mask


def main(path):
    sizes = [16, 32, 48]
    images = [image(s) for s in sizes]
    out = struct.pack('<HHH', 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', s % 256, s % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b''.join(images)
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main(sys.argv[1])
