#!/usr/bin/env python3
"""Draws the program's four 16x16 32-bit icons into app/res/.

The program icon is a white loudspeaker with two sound waves on a blue tile;
the two animation frames show the speaker with no wave and with one wave, so
the tray cycles silence, one wave, two waves while text is read. The icons are
committed; run this again only to change the pictures.
"""
import math
import struct
import sys
from pathlib import Path

SIZE = 16
SCALE = 8  # supersampling per pixel for smooth edges
TOP = (49, 106, 197)
BOTTOM = (0, 64, 140)


def inside_tile(x, y):
    radius = 3.0
    cx = min(max(x, radius), SIZE - radius)
    cy = min(max(y, radius), SIZE - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def inside_speaker(x, y):
    if 2.5 <= x <= 5.0 and 6.0 <= y <= 10.0:
        return True
    if 5.0 <= x <= 8.5:
        spread = 2.0 + (x - 5.0) * (3.0 / 3.5)
        return 8.0 - spread <= y <= 8.0 + spread
    return False


def inside_wave(x, y, radius):
    dx, dy = x - 8.0, y - 8.0
    distance = math.hypot(dx, dy)
    angle = math.degrees(math.atan2(dy, dx))
    return abs(distance - radius) <= 0.75 and -55 <= angle <= 55 and dx > 0


def pixel(px, py, waves):
    tile = white = 0
    for sy in range(SCALE):
        for sx in range(SCALE):
            x = px + (sx + 0.5) / SCALE
            y = py + (sy + 0.5) / SCALE
            if not inside_tile(x, y):
                continue
            tile += 1
            if inside_speaker(x, y) or any(inside_wave(x, y, r) for r in waves):
                white += 1
    samples = SCALE * SCALE
    if tile == 0:
        return (0, 0, 0, 0)
    t = py / (SIZE - 1)
    blue = [round(TOP[i] * (1 - t) + BOTTOM[i] * t) for i in range(3)]
    share = white / tile
    rgb = [round(blue[i] * (1 - share) + 255 * share) for i in range(3)]
    return (*rgb, round(255 * tile / samples))


def ico(waves):
    rows = []
    for py in reversed(range(SIZE)):  # bitmaps are stored bottom-up
        row = b""
        for px in range(SIZE):
            r, g, b, a = pixel(px, py, waves)
            row += bytes((b, g, r, a))
        rows.append(row)
    colour = b"".join(rows)
    mask = bytes(4 * SIZE)  # transparency comes from the alpha channel
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0,
                         len(colour) + len(mask), 0, 0, 0, 0)
    image = header + colour + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


def main():
    folder = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).parent.parent / "app" / "res")
    pictures = {"program.ico": (3.5, 6.0), "frame1.ico": (), "frame2.ico": (3.5,)}
    for name, waves in pictures.items():
        (folder / name).write_bytes(ico(waves))


if __name__ == "__main__":
    main()
