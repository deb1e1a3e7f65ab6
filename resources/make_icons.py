#!/usr/bin/env python3
"""Draws the toolbar images and the program icon into icons/.

Run it again after changing a drawing; the files it writes are what the
program compiles in and the package installs, so they are kept in the
repository and the build needs none of the tools used here.

Toolbar images are 16 x 16 XPM files in the classic 16-colour palette; light
grey (#C0C0C0) is the transparent background, so it is written as "None"
and never used for a pixel.

The program icon, a key over a mill's gear, is drawn twice: as vectors on a
32-unit grid (keymill.svg, rendered with rsvg-convert from librsvg2-bin at
32 to 256 pixels) and by hand at 16 pixels, where a rendered outline would
blur. keymill.ico holds all six sizes for the window, which then picks the
sharpest one at any size.
"""

import math
import pathlib
import struct
import subprocess
import zlib

PALETTE = {
    ".": "None",
    "k": "#000000",  # black
    "m": "#800000",  # maroon
    "g": "#008000",  # green
    "o": "#808000",  # olive
    "n": "#000080",  # navy
    "t": "#008080",  # teal
    "d": "#808080",  # dark grey
    "r": "#FF0000",  # red
    "l": "#00FF00",  # lime
    "y": "#FFFF00",  # yellow
    "b": "#0000FF",  # blue
    "c": "#00FFFF",  # aqua
    "w": "#FFFFFF",  # white
}


class Canvas:
    def __init__(self, size):
        self.size = size
        self.px = [["."] * size for _ in range(size)]

    def set(self, x, y, c):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, fill, border=None):
        """Inclusive corners."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                edge = x in (x0, x1) or y in (y0, y1)
                self.set(x, y, border if (edge and border) else fill)

    def disc(self, cx, cy, r, fill, border=None):
        for y in range(self.size):
            for x in range(self.size):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                if d <= r:
                    self.set(x, y, border if (border and d > r - 1) else fill)

    def polygon(self, points, fill):
        """Fills the pixels whose centres lie inside the polygon."""
        for y in range(self.size):
            for x in range(self.size):
                if inside(points, x + 0.5, y + 0.5):
                    self.set(x, y, fill)

    def outline(self, shape, border):
        """Draws a border on every shape pixel that touches a pixel outside it."""
        hits = []
        for y in range(self.size):
            for x in range(self.size):
                if self.px[y][x] not in shape:
                    continue
                for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                    nx, ny = x + dx, y + dy
                    off = not (0 <= nx < self.size and 0 <= ny < self.size)
                    if off or self.px[ny][nx] not in shape:
                        hits.append((x, y))
                        break
        for x, y in hits:
            self.set(x, y, border)

    def replace(self, old, new):
        self.px = [[new if c == old else c for c in row] for row in self.px]

    def overlay(self, x0, y0, rows):
        """Hand-drawn detail; "." leaves the pixel as it is."""
        for dy, row in enumerate(rows):
            for dx, c in enumerate(row):
                if c != ".":
                    self.set(x0 + dx, y0 + dy, c)

    def xpm(self, name):
        used = sorted({c for row in self.px for c in row})
        lines = [f'"{self.size} {self.size} {len(used)} 1",']
        lines += [f'"{c} c {PALETTE[c]}",' for c in used]
        lines += [f'"{"".join(row)}",' for row in self.px]
        lines[-1] = lines[-1].rstrip(",")
        body = "\n".join(lines)
        return f"/* XPM */\nstatic const char* {name}[] = {{\n{body}\n}};\n"


def inside(points, x, y):
    result = False
    j = len(points) - 1
    for i, (xi, yi) in enumerate(points):
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            result = not result
        j = i
    return result


def open_folder():
    c = Canvas(16)
    c.overlay(0, 2, [
        ".kkkk...........",
        "koyyok..........",
        "koyyyykkkkkkk...",
        "koyyyyyyyyyyok..",
        "koyykkkkkkkkkkkk",
        "koykyyyyyyyyyyk.",
        "kokyyyyyyyyyyyk.",
        "kokyyyyyyyyyyk..",
        "kkyyyyyyyyyyyk..",
        "kkyyyyyyyyyyk...",
        "kyyyyyyyyyyyk...",
        "kkkkkkkkkkkk....",
    ])
    return c


def save_disk():
    c = Canvas(16)
    c.rect(1, 1, 14, 14, "n", "k")
    c.rect(4, 1, 11, 7, "w", "k")  # label
    c.rect(5, 3, 10, 3, "d")
    c.rect(5, 5, 10, 5, "d")
    c.rect(4, 10, 11, 14, "d", "k")  # shutter
    c.rect(6, 11, 7, 13, "n")
    c.set(14, 1, ".")  # cut corner
    return c


def printer():
    c = Canvas(16)
    c.rect(4, 0, 11, 6, "w", "k")  # paper going in
    c.rect(5, 2, 10, 2, "d")
    c.rect(5, 4, 9, 4, "d")
    c.rect(0, 6, 15, 12, "d", "k")  # body
    c.rect(1, 7, 14, 7, "w")
    c.set(12, 9, "l")  # power lamp
    c.rect(3, 10, 12, 15, "w", "k")  # printed page
    c.rect(5, 12, 10, 12, "k")
    c.rect(5, 14, 8, 14, "k")
    return c


def start():
    c = Canvas(16)
    c.polygon([(2, 0.5), (2, 15.5), (15, 8)], "l")
    c.outline({"l"}, "g")
    return c


def stop():
    c = Canvas(16)
    c.polygon([(5, 1), (11, 1), (15, 5), (15, 11), (11, 15), (5, 15), (1, 11), (1, 5)], "r")
    c.outline({"r"}, "m")
    c.rect(4, 7, 11, 8, "w")  # bar across the sign
    return c


def all_select():
    c = Canvas(16)
    for i in range(16):  # dashed frame round everything
        if i % 2 == 0:
            for x, y in ((i, 0), (i, 15), (0, i), (15, i)):
                c.set(x, y, "k")
    for y in (3, 7, 11):  # every line highlighted
        c.rect(2, y, 13, y + 2, "n")
        c.rect(3, y + 1, 12 if y != 11 else 9, y + 1, "w")
    return c


def document(c, x0, y0):
    # a placeholder colour keeps the outline off the sheet underneath
    c.polygon([(x0, y0), (x0 + 6, y0), (x0 + 9, y0 + 3), (x0 + 9, y0 + 11), (x0, y0 + 11)], "W")
    c.outline({"W"}, "k")
    c.replace("W", "w")
    c.overlay(x0 + 6, y0, ["k", "kk", "kwk", "kkk"])  # folded corner
    for i, y in enumerate(range(y0 + 4, y0 + 10, 2)):
        c.rect(x0 + 2, y, x0 + (7 if i != 2 else 5), y, "n")


def copy():
    c = Canvas(16)
    document(c, 0, 0)
    document(c, 6, 4)
    return c


def sort():
    c = Canvas(16)
    for i, y in enumerate((1, 5, 9, 13)):  # short to long: ascending
        c.rect(0, y, 2 + 2 * i, y + 1, "b")
    c.rect(12, 1, 13, 10, "k")  # arrow pointing down
    c.polygon([(9, 9.5), (16, 9.5), (12.5, 15)], "k")
    return c


def help_mark():
    c = Canvas(16)
    c.disc(8, 8, 7.6, "b", "n")
    c.overlay(5, 3, [
        ".www.",
        "ww.ww",
        "...ww",
        "..ww.",
        "..w..",
        "..w..",
        ".....",
        "..w..",
        "..w..",
    ])
    return c


# The program icon's colours: a gold key outlined in dark gold, a grey gear in near black.
KEY_EDGE, KEY_FILL, KEY_SHINE = "#7a5c00", "#edd400", "#fce94f"
GEAR_EDGE, GEAR_FILL = "#2e3436", "#888a85"
PROGRAM_ICON_SIZES = (16, 32, 48, 64, 128, 256)


def svg_circle(cx, cy, r, hole=False):
    """A circle as a path; a hole runs the other way round, so it stays empty under nonzero fill."""
    sweep = 0 if hole else 1
    return (f"M{cx - r},{cy} A{r},{r} 0 1,{sweep} {cx + r},{cy} "
            f"A{r},{r} 0 1,{sweep} {cx - r},{cy} Z")


def svg_rect(x0, y0, x1, y1):
    return f"M{x0},{y0} H{x1} V{y1} H{x0} Z"


def svg_gear(cx, cy, teeth, r_out, r_in):
    points = []
    step = 2 * math.pi / teeth
    for i in range(teeth):
        a = i * step - math.pi / 2
        for da, r in ((-0.25, r_in), (-0.175, r_out), (0.175, r_out), (0.25, r_in)):
            points.append((cx + r * math.cos(a + da * step), cy + r * math.sin(a + da * step)))
    return "M" + " L".join(f"{x:.3f},{y:.3f}" for x, y in points) + " Z"


def program_icon_svg():
    # Each shape is drawn twice: first its 2-unit outline, then its fill over the inner half,
    # so overlapping parts of the key join without seams and every hole keeps an outline.
    gear = svg_gear(20, 20, 8, 10.5, 7.8) + " " + svg_circle(20, 20, 3, hole=True)
    key = " ".join([
        svg_circle(9, 11, 7), svg_circle(7, 11, 2.5, hole=True),  # bow
        svg_rect(14, 9, 29.5, 13),  # blade
        svg_rect(21, 13, 24, 18), svg_rect(26, 13, 29, 17),  # bits
    ])
    return f"""<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 32 32">
  <title>KeyMill</title>
  <g stroke-linejoin="round">
    <path d="{gear}" fill="none" stroke="{GEAR_EDGE}" stroke-width="2"/>
    <path d="{gear}" fill="{GEAR_FILL}"/>
    <path d="{key}" fill="none" stroke="{KEY_EDGE}" stroke-width="2"/>
    <path d="{key}" fill="{KEY_FILL}"/>
    <path d="M15,10 H28.5" stroke="{KEY_SHINE}" stroke-width="1"/>
    <path d="M4.5,8 A5,5 0 0,1 8,5" fill="none" stroke="{KEY_SHINE}" stroke-width="1"/>
  </g>
</svg>
"""


# The same drawing by hand at 16 pixels: o/y/h key edge, fill and shine; k/d gear edge and fill.
PROGRAM_ICON_16_KEY = [
    "................",
    "..oooo..........",
    ".oyyyyo.........",
    "oyhooyyooooooooo",
    "oyo..oyyhhhhhhyo",
    "oyo..oyyyyyyyyyo",
    "oyyooyyoooyyoyyo",
    ".oyyyyo..oyyoyyo",
    "..oooo...oyyoooo",
    ".........oooo...",
]
PROGRAM_ICON_16_GEAR = [  # placed at column 3, row 6, behind the key
    "....kk....",
    ".k.kddk.k.",
    "kdkddddkdk",
    ".kddkkddk.",
    "kddk..kddk",
    "kddk..kddk",
    ".kddkkddk.",
    "kdkddddkdk",
    ".k.kddk.k.",
    "....kk....",
]


def rgba(hex_colour):
    return bytes.fromhex(hex_colour[1:]) + b"\xff"


def program_icon_16_png():
    colours = {"o": KEY_EDGE, "y": KEY_FILL, "h": KEY_SHINE, "k": GEAR_EDGE, "d": GEAR_FILL}
    pixels = [[b"\0\0\0\0"] * 16 for _ in range(16)]
    for x0, y0, rows in ((3, 6, PROGRAM_ICON_16_GEAR), (0, 0, PROGRAM_ICON_16_KEY)):
        for dy, row in enumerate(rows):
            for dx, c in enumerate(row):
                if c != ".":
                    pixels[y0 + dy][x0 + dx] = rgba(colours[c])
    return png(16, b"".join(b"\0" + b"".join(row) for row in pixels))


def png(size, scanlines):
    """An 8-bit RGBA PNG from filtered scanlines (each row led by filter byte 0)."""
    def chunk(kind, data):
        crc = zlib.crc32(kind + data)
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", crc)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(scanlines, 9)) + chunk(b"IEND", b""))


def ico(pngs):
    """A Windows icon file holding each PNG as it is (one directory entry per size)."""
    head = struct.pack("<HHH", 0, 1, len(pngs))
    offset = len(head) + 16 * len(pngs)
    entries, data = b"", b""
    for size, image in pngs:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
        data += image
    return head + entries + data


def write_program_icon(out):
    svg = out / "keymill.svg"
    svg.write_text(program_icon_svg(), encoding="ascii")
    pngs = [(16, program_icon_16_png())]
    for size in PROGRAM_ICON_SIZES[1:]:
        pngs.append((size, subprocess.run(
            ["rsvg-convert", "-w", str(size), "-h", str(size), str(svg)],
            check=True, stdout=subprocess.PIPE).stdout))
    for size, image in pngs:
        (out / f"keymill-{size}.png").write_bytes(image)
    (out / "keymill.ico").write_bytes(ico(pngs))


ICONS = {
    "M_Open": open_folder,
    "M_Save": save_disk,
    "M_Print": printer,
    "M_Start": start,
    "M_Stop": stop,
    "M_AllSelect": all_select,
    "M_Copy": copy,
    "M_Sort": sort,
    "M_Help": help_mark,
}


def main():
    out = pathlib.Path(__file__).resolve().parent / "icons"
    out.mkdir(exist_ok=True)
    for name, draw in ICONS.items():
        (out / f"{name}.xpm").write_text(draw().xpm(name), encoding="ascii")
    write_program_icon(out)


if __name__ == "__main__":
    main()
