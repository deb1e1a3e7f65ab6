#!/usr/bin/env python3
"""Draws the toolbar images and the program icon into icons/.

Run it again after changing a drawing; the files it writes are what the
program compiles in and the package installs, so they are kept in the
repository and the build needs none of the tools used here.

Toolbar images are drawn in the classic 16-colour palette on a 16-unit grid,
at 16 x 16 pixels and again at 24 x 24 for screens scaled by 1.5 (shapes
filled by pixel centres, one-pixel outlines, the help mark redrawn), and
kept together in one .ico file per image; the background is transparent,
never light grey.

The program icon, a key over a mill's gear, is drawn twice: as vectors on a
32-unit grid (keymill.svg, rendered with rsvg-convert from librsvg2-bin at
32 to 256 pixels) and at 16 pixels on whole pixels, where a rendered outline
would blur: the same round bow and the same gear, its grey fill kept so that
it shows on dark panels too. keymill.ico holds all six sizes for the window, which then picks the
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
    """A 16-unit drawing grid rendered at size pixels (16, or 24 for 1.5x screens): shapes are
    placed in units and filled by pixel centres, outlines stay one pixel wide, hand-drawn detail
    becomes blocks of whole pixels."""

    def __init__(self, size=16):
        self.size = size
        self.scale = size / 16
        self.px = [["."] * size for _ in range(size)]

    def _span(self, u0, u1):
        """Pixels covered by units u0..u1 (inclusive)."""
        return range(round(u0 * self.scale), round((u1 + 1) * self.scale))

    def put(self, x, y, c):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.px[y][x] = c

    def set(self, x, y, c):
        """One unit: one pixel at 16, a block at larger sizes."""
        for py in self._span(y, y):
            for px in self._span(x, x):
                self.put(px, py, c)

    def rect(self, x0, y0, x1, y1, fill, border=None):
        """Inclusive corners, in units."""
        xs, ys = self._span(x0, x1), self._span(y0, y1)
        for y in ys:
            for x in xs:
                edge = x in (xs[0], xs[-1]) or y in (ys[0], ys[-1])
                self.put(x, y, border if (edge and border) else fill)

    def disc(self, cx, cy, r, fill, border=None):
        cx, cy, r = cx * self.scale, cy * self.scale, r * self.scale
        for y in range(self.size):
            for x in range(self.size):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                if d <= r:
                    self.put(x, y, border if (border and d > r - 1) else fill)

    def polygon(self, points, fill):
        """Fills the pixels whose centres lie inside the polygon."""
        scaled = [(x * self.scale, y * self.scale) for x, y in points]
        for y in range(self.size):
            for x in range(self.size):
                if inside(scaled, x + 0.5, y + 0.5):
                    self.put(x, y, fill)

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
            self.put(x, y, border)

    def replace(self, old, new):
        self.px = [[new if c == old else c for c in row] for row in self.px]

    def overlay(self, x0, y0, rows):
        """Hand-drawn detail in units; "." leaves the pixel as it is."""
        for dy, row in enumerate(rows):
            for dx, c in enumerate(row):
                if c != ".":
                    self.set(x0 + dx, y0 + dy, c)

    def pixels(self, hand_drawn=None):
        """Rows of pixel characters; hand_drawn replaces them when the size has its own art."""
        return hand_drawn if hand_drawn else ["".join(row) for row in self.px]

    def rgba_png(self, colours):
        rows = []
        for row in self.px:
            rows.append(b"\0" + b"".join(
                b"\0\0\0\0" if c == "." else rgba(colours[c]) for c in row))
        return png(self.size, b"".join(rows))

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


def open_folder(size=16):
    c = Canvas(size)
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


def save_disk(size=16):
    c = Canvas(size)
    c.rect(1, 1, 14, 14, "n", "k")
    c.rect(4, 1, 11, 7, "w", "k")  # label
    c.rect(5, 3, 10, 3, "d")
    c.rect(5, 5, 10, 5, "d")
    c.rect(4, 10, 11, 14, "d", "k")  # shutter
    c.rect(6, 11, 7, 13, "n")
    c.set(14, 1, ".")  # cut corner
    return c


def printer(size=16):
    c = Canvas(size)
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


def start(size=16):
    c = Canvas(size)
    c.polygon([(2, 0.5), (2, 15.5), (15, 8)], "l")
    c.outline({"l"}, "g")
    return c


def stop(size=16):
    c = Canvas(size)
    c.polygon([(5, 1), (11, 1), (15, 5), (15, 11), (11, 15), (5, 15), (1, 11), (1, 5)], "r")
    c.outline({"r"}, "m")
    c.rect(4, 7, 11, 8, "w")  # bar across the sign
    return c


def all_select(size=16):
    c = Canvas(size)
    last = c.size - 1
    for i in range(0, c.size, 2):  # dashed frame round everything, one pixel on, one off
        for x, y in ((i, 0), (i, last), (0, i), (last, i)):
            c.put(x, y, "k")
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


def copy(size=16):
    c = Canvas(size)
    document(c, 0, 0)
    document(c, 6, 4)
    return c


def sort(size=16):
    c = Canvas(size)
    for i, y in enumerate((1, 5, 9, 13)):  # short to long: ascending
        c.rect(0, y, 2 + 2 * i, y + 1, "b")
    c.rect(12, 1, 13, 10, "k")  # arrow pointing down
    c.polygon([(9, 9.5), (16, 9.5), (12.5, 15)], "k")
    return c


def help_mark(size=16):
    c = Canvas(size)
    c.disc(8, 8, 7.6, "b", "n")
    if size == 16:
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
    # At 24 pixels the mark is drawn again, two pixels a stroke, rather than scaled.
    for dy, row in enumerate([
        "..wwww..",
        ".ww..ww.",
        ".ww..ww.",
        ".....ww.",
        "....ww..",
        "...ww...",
        "...ww...",
        "...ww...",
        "........",
        "...ww...",
        "...ww...",
    ]):
        for dx, ch in enumerate(row):
            if ch != ".":
                c.put(8 + dx, 5 + dy, ch)
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


def rgba(hex_colour):
    return bytes.fromhex(hex_colour[1:]) + b"\xff"


# The key at 16 pixels by hand: o/y/h edge, fill and shine. The bow is as round as eight
# pixels allow, its hole small and to the left, as in the larger drawing.
PROGRAM_ICON_16_KEY = [
    "..oooo..........",
    ".oyyyyo.........",
    "oyhhyyyo........",
    "oyh..yyooooooooo",
    "oyy..yyyhhhhhhyo",
    "oyyyyyyyyyyyyyyo",
    ".oyyyyooooyyoyyo",
    "..oooo...oyyoooo",
    ".........oooo...",
]


def program_icon_16():
    """The SVG's drawing at 16 pixels: the gear from the same outline, halved, filled so that
    its grey shows on a dark panel as well as a light one (only its rim is dark), and the key
    drawn over it by hand."""
    c = Canvas(16)
    gear = []
    step = 2 * math.pi / 8
    for i in range(8):
        a = i * step - math.pi / 2 + step / 2
        for da, r in ((-0.25, 4.6), (-0.16, 6.3), (0.16, 6.3), (0.25, 4.6)):
            gear.append((10.5 + r * math.cos(a + da * step), 10 + r * math.sin(a + da * step)))
    c.polygon(gear, "d")
    c.outline({"d"}, "k")
    c.disc(10.5, 10, 1.5, ".")
    c.overlay(0, 1, PROGRAM_ICON_16_KEY)
    return c


def program_icon_16_png():
    colours = {"o": KEY_EDGE, "y": KEY_FILL, "h": KEY_SHINE, "k": GEAR_EDGE, "d": GEAR_FILL}
    return program_icon_16().rgba_png(colours)


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


TOOLBAR_SIZES = (16, 24)
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
    # Each toolbar image at 16 pixels and at 24 for screens scaled by 1.5, in one file: the
    # toolbar asks for 16 x 16 and QIcon takes the 24-pixel drawing on such a screen.
    colours = {c: v for c, v in PALETTE.items() if c != "."}
    for name, draw in ICONS.items():
        sizes = [(size, draw(size).rgba_png(colours)) for size in TOOLBAR_SIZES]
        (out / f"{name}.ico").write_bytes(ico(sizes))
        stale = out / f"{name}.xpm"
        if stale.exists():
            stale.unlink()
    write_program_icon(out)


if __name__ == "__main__":
    main()
