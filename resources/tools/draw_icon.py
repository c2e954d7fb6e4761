#!/usr/bin/env python3
"""Draws the program icon: a 32x32, 24-bit BMP of a clock face on a teal tile.

Run once to write resources/default-icon.bmp; the picture is committed, not built.
"""
import math
import struct
import sys

SIZE = 32
TILE = (24, 128, 132)
FACE = (250, 250, 244)
RIM = (30, 60, 70)
HAND = (40, 40, 48)
ALERT = (214, 60, 48)


def pixel(x, y):
    cx = cy = (SIZE - 1) / 2
    dx, dy = x - cx, y - cy
    r = math.hypot(dx, dy)
    if r > 14.5:
        return TILE
    if r > 12.5:
        return RIM
    angle = math.degrees(math.atan2(dx, -dy)) % 360
    # Hour marks at 12, 3, 6 and 9.
    if r > 10 and any(abs(angle - a) < 6 or abs(angle - a - 360) < 6 for a in (0, 90, 180, 270)):
        return RIM
    # Minute hand towards 12, hour hand towards 4, an alert dot at the centre.
    if r < 2:
        return ALERT
    if abs(dx) < 1 and -10 < dy < 0:
        return HAND
    hx, hy = math.sin(math.radians(120)), -math.cos(math.radians(120))
    along = dx * hx + dy * hy
    across = abs(dx * hy - dy * hx)
    if 0 < along < 7 and across < 1.2:
        return HAND
    return FACE


def bmp():
    row_bytes = SIZE * 3  # 96, already a multiple of 4
    pixels = bytearray()
    for y in range(SIZE - 1, -1, -1):  # bottom-up rows
        for x in range(SIZE):
            r, g, b = pixel(x, y)
            pixels += bytes((b, g, r))
    header_size = 14 + 40
    file_header = struct.pack("<2sIHHI", b"BM", header_size + len(pixels), 0, 0, header_size)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 24, 0, row_bytes * SIZE, 2835, 2835, 0, 0)
    return file_header + info + bytes(pixels)


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else "default-icon.bmp"
    with open(out, "wb") as f:
        f.write(bmp())
