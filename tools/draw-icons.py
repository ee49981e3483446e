#!/usr/bin/env python3
"""Draws the program's 32-bit icons into app/res/.

The program icon is a white loudspeaker with two sound waves on a blue tile;
the two animation frames show the speaker with no wave and with one wave, so
the tray cycles silence, one wave, two waves while text is read. The two
editors' icons carry a badge on the program icon: a green one with a plus for
adding a slot or a correction, an orange one with a pen stroke for changing one. The shapes
are laid out on a 16x16 grid and sampled at each image size; every icon carries
the small sizes of the usual display scales, and the program icon sizes up to
64x64 for the About page and the task switcher. The icons
are committed; run this again only to change the pictures.
"""
import math
import struct
import sys
from pathlib import Path

SIZE = 16  # the design grid
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


# The small icon at 100, 125, 150 and 200 % (the tray, a window's caption),
# each drawn at its own size rather than one stretched by Windows.
SMALL = (16, 20, 24, 32)

BADGE_CENTRE = 12.3
BADGE_RADIUS = 3.6
BADGE_COLOURS = {"add": (30, 140, 50), "edit": (220, 120, 30)}


def inside_badge(x, y):
    return math.hypot(x - BADGE_CENTRE, y - BADGE_CENTRE) <= BADGE_RADIUS


def inside_badge_symbol(x, y, badge):
    dx, dy = x - BADGE_CENTRE, y - BADGE_CENTRE
    if badge == "add":
        return (abs(dx) <= 0.6 and abs(dy) <= 2.3) or (abs(dy) <= 0.6 and abs(dx) <= 2.3)
    # A pen stroke rising to the right.
    along = (dx - dy) / math.sqrt(2)
    across = (dx + dy) / math.sqrt(2)
    return abs(across) <= 0.7 and abs(along) <= 2.4


def pixel(px, py, waves, size, badge):
    tile = white = coloured = 0
    for sy in range(SCALE):
        for sx in range(SCALE):
            x = (px + (sx + 0.5) / SCALE) * SIZE / size
            y = (py + (sy + 0.5) / SCALE) * SIZE / size
            if not inside_tile(x, y):
                continue
            tile += 1
            if badge and inside_badge(x, y):
                if inside_badge_symbol(x, y, badge):
                    white += 1
                else:
                    coloured += 1
            elif inside_speaker(x, y) or any(inside_wave(x, y, r) for r in waves):
                white += 1
    samples = SCALE * SCALE
    if tile == 0:
        return (0, 0, 0, 0)
    t = py / (size - 1)
    blue = [round(TOP[i] * (1 - t) + BOTTOM[i] * t) for i in range(3)]
    rest = (tile - white - coloured) / tile
    badge_colour = BADGE_COLOURS.get(badge, (0, 0, 0))
    rgb = [round(blue[i] * rest + 255 * white / tile + badge_colour[i] * coloured / tile)
           for i in range(3)]
    return (*rgb, round(255 * tile / samples))


def image(waves, size, badge):
    rows = []
    for py in reversed(range(size)):  # bitmaps are stored bottom-up
        row = b""
        for px in range(size):
            r, g, b, a = pixel(px, py, waves, size, badge)
            row += bytes((b, g, r, a))
        rows.append(row)
    colour = b"".join(rows)
    # Transparency comes from the alpha channel; the mask rows are padded to
    # whole 32-bit words.
    mask = bytes((size + 31) // 32 * 4 * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         len(colour) + len(mask), 0, 0, 0, 0)
    return header + colour + mask


def ico(waves, sizes, badge=None):
    images = [image(waves, size, badge) for size in sizes]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for size, picture in zip(sizes, images):
        entries += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(picture), offset)
        offset += len(picture)
    return directory + entries + b"".join(images)


def main():
    folder = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).parent.parent / "app" / "res")
    pictures = {
        "program.ico": ((3.5, 6.0), SMALL + (48, 64), None),
        "frame1.ico": ((), SMALL, None),
        "frame2.ico": ((3.5,), SMALL, None),
        "editor_add.ico": ((3.5, 6.0), SMALL, "add"),
        "editor_edit.ico": ((3.5, 6.0), SMALL, "edit"),
    }
    for name, (waves, sizes, badge) in pictures.items():
        (folder / name).write_bytes(ico(waves, sizes, badge))


if __name__ == "__main__":
    main()
