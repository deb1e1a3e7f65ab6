#!/usr/bin/env python3
"""Draws the toolbar images and the program icon as XPM files in icons/.

Run it again after changing a drawing; the XPM files it writes are what the
program compiles in. Colours come from the classic 16-colour palette; light
grey (#C0C0C0) is the transparent background, so it is written as "None"
and never used for a pixel.
"""

import math
import pathlib

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


def program_icon():
    c = Canvas(32)
    # the mill: a gear behind the key
    teeth = []
    for i in range(16):
        a = i * math.pi / 8 + math.pi / 16
        r = 11.5 if i % 2 == 0 else 8.5
        for da in (-0.17, 0.17):
            teeth.append((21 + r * math.cos(a + da), 21 + r * math.sin(a + da)))
    c.polygon(teeth, "d")
    c.outline({"d"}, "k")
    c.disc(21, 21, 4.2, "k", None)
    c.disc(21, 21, 3.1, ".", None)
    # the key: round bow at the left, blade to the right, two bits down
    c.disc(8.5, 10.5, 7.5, "y")
    c.rect(14, 9, 30, 12, "y")
    c.rect(22, 13, 24, 17, "y")
    c.rect(27, 13, 29, 16, "y")
    c.outline({"y"}, "o")
    c.disc(6.5, 10.5, 2.6, ".")
    c.disc(6.5, 10.5, 3.5, "o")
    c.disc(6.5, 10.5, 2.5, ".")
    c.overlay(4, 5, ["ww", "w"])  # highlight on the bow
    c.rect(16, 10, 28, 10, "w")
    return c


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
    "keymill": program_icon,
}


def main():
    out = pathlib.Path(__file__).resolve().parent / "icons"
    out.mkdir(exist_ok=True)
    for name, draw in ICONS.items():
        (out / f"{name}.xpm").write_text(draw().xpm(name), encoding="ascii")


if __name__ == "__main__":
    main()
