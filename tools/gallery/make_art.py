#!/usr/bin/env python3
"""Draws the widget gallery's own images into book/gallery/.

Plain Python (zlib and struct only): every image is a few shapes given by signed distance
functions, anti-aliased by coverage, so the output is the same on every machine. The dot-matrix
font doubles as the label atlas's character map and as the bitmap font's page.

    /usr/bin/python3 tools/gallery/make_art.py [OUTPUT_DIR]
"""

import math
import os
import struct
import sys
import zlib

# ---------------------------------------------------------------- canvas and PNG


class Canvas:
    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.pixels = [[0.0, 0.0, 0.0, 0.0] for _ in range(width * height)]

    def paint(self, distance, colour):
        """Composites colour (r, g, b, a in 0..255) over the canvas where distance(x, y) < 0."""
        r, g, b, a = colour
        for y in range(self.height):
            for x in range(self.width):
                d = distance(x + 0.5, y + 0.5)
                coverage = min(max(0.5 - d, 0.0), 1.0)
                if coverage <= 0.0:
                    continue
                alpha = coverage * a / 255.0
                p = self.pixels[y * self.width + x]
                out = alpha + p[3] * (1.0 - alpha)
                if out > 0.0:
                    for i, c in enumerate((r, g, b)):
                        p[i] = (c * alpha + p[i] * p[3] * (1.0 - alpha)) / out
                p[3] = out

    def paint_gradient(self, distance, top, bottom):
        """Like paint, with a colour that runs from top to bottom."""
        for y in range(self.height):
            t = y / max(self.height - 1, 1)
            colour = tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
            row = Canvas.__new__(Canvas)
            row.width, row.height = self.width, 1
            row.pixels = self.pixels[y * self.width:(y + 1) * self.width]
            row.paint(lambda px, py, y=y: distance(px, y + 0.5), colour)

    def save(self, path):
        raw = bytearray()
        for y in range(self.height):
            raw.append(0)
            for x in range(self.width):
                r, g, b, a = self.pixels[y * self.width + x]
                raw += bytes((round(r), round(g), round(b), round(a * 255)))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 6, 0, 0, 0)
        with open(path, "wb") as out:
            out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
                      + chunk(b"IEND", b""))


# ---------------------------------------------------------------- shapes (distance functions)


def rounded_rect(x0, y0, x1, y1, radius):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - radius, (y1 - y0) / 2 - radius

    def distance(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - radius
    return distance


def ring(shape, width):
    return lambda x, y: abs(shape(x, y) + width / 2) - width / 2


def circle(cx, cy, radius):
    return lambda x, y: math.hypot(x - cx, y - cy) - radius


def polyline(points, width):
    def distance(x, y):
        best = float("inf")
        for (ax, ay), (bx, by) in zip(points, points[1:]):
            dx, dy = bx - ax, by - ay
            t = ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)
            t = min(max(t, 0.0), 1.0)
            best = min(best, math.hypot(x - ax - t * dx, y - ay - t * dy))
        return best - width / 2
    return distance


# ---------------------------------------------------------------- the images

INK = (40, 60, 110, 255)
WHITE = (255, 255, 255, 255)
GREY = (170, 170, 175, 255)
LIGHT_GREY = (215, 215, 220, 255)
BLUE = (60, 130, 220, 255)
GREEN = (40, 160, 80, 255)


def check_box(fill, border):
    c = Canvas(48, 48)
    box = rounded_rect(3, 3, 45, 45, 9)
    c.paint(box, fill)
    c.paint(ring(box, 4), border)
    return c


def check_cross(colour):
    c = Canvas(48, 48)
    c.paint(polyline([(12, 25), (21, 34), (37, 14)], 7), colour)
    return c


def bar(width, height, top, bottom, border=None):
    c = Canvas(width, height)
    shape = rounded_rect(1, 1, width - 1, height - 1, height / 2 - 1)
    c.paint_gradient(shape, top, bottom)
    if border:
        c.paint(ring(shape, 2), border)
    return c


def ball(fill):
    c = Canvas(40, 40)
    c.paint(circle(20, 21, 17), (0, 0, 0, 60))
    c.paint(circle(20, 20, 17), fill)
    c.paint(ring(circle(20, 20, 17), 3), INK)
    return c


def frame():
    c = Canvas(48, 48)
    shape = rounded_rect(2, 2, 46, 46, 12)
    c.paint(shape, (255, 255, 255, 235))
    c.paint(ring(shape, 3), (90, 120, 190, 255))
    return c


# A 5 x 7 dot-matrix font: one string of five "#" or "." per row.
GLYPHS = {
    "0": [".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."],
    "1": ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "2": [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    "3": ["#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."],
    "4": ["...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."],
    "5": ["#####", "#....", "####.", "....#", "....#", "#...#", ".###."],
    "6": ["..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."],
    "7": ["#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."],
    "8": [".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."],
    "9": [".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."],
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "B": ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."],
    "C": [".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."],
    "D": ["###..", "#..#.", "#...#", "#...#", "#...#", "#..#.", "###.."],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "G": [".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"],
    "I": [".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "K": ["#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"],
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "S": [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "U": ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "V": ["#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    "W": ["#...#", "#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."],
    "Y": ["#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."],
    "!": ["..#..", "..#..", "..#..", "..#..", "..#..", ".....", "..#.."],
    " ": ["....."] * 7,
}
DOT = 5  # pixels per dot
CELL_W, CELL_H = 5 * DOT + 5, 7 * DOT + 5  # one blank dot column and row of spacing, padded


def draw_glyph(canvas, left, top, rows, colour):
    for row, line in enumerate(rows):
        for col, mark in enumerate(line):
            if mark == "#":
                x = left + 2 + col * DOT
                y = top + 2 + row * DOT
                canvas.paint(rounded_rect(x + 0.5, y + 0.5, x + DOT - 0.5, y + DOT - 0.5, 1.5), colour)


def digit_atlas():
    """The label atlas's character map: "0" to "9" in one row of fixed cells."""
    c = Canvas(CELL_W * 10, CELL_H)
    for i in range(10):
        draw_glyph(c, i * CELL_W, 0, GLYPHS[str(i)], (255, 190, 60, 255))
    return c


def bitmap_font(name):
    """A BMFont page (white dots, tinted by the label's colour) and its text description."""
    characters = sorted(GLYPHS)
    per_row = 8
    rows = (len(characters) + per_row - 1) // per_row
    page = Canvas(CELL_W * per_row, CELL_H * rows)
    lines = ['info face="LiravaDots" size=%d bold=0 italic=0 charset="" unicode=1 stretchH=100 smooth=1 aa=1 '
             'padding=0,0,0,0 spacing=0,0' % CELL_H,
             "common lineHeight=%d base=%d scaleW=%d scaleH=%d pages=1 packed=0"
             % (CELL_H, CELL_H - 3, page.width, page.height),
             'page id=0 file="%s.png"' % name,
             "chars count=%d" % len(characters)]
    for index, ch in enumerate(characters):
        x, y = (index % per_row) * CELL_W, (index // per_row) * CELL_H
        draw_glyph(page, x, y, GLYPHS[ch], WHITE)
        lines.append("char id=%d x=%d y=%d width=%d height=%d xoffset=0 yoffset=0 xadvance=%d page=0 chnl=15"
                     % (ord(ch), x, y, CELL_W, CELL_H, CELL_W))
    return page, "\n".join(lines) + "\n"


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "book",
                                                                 "gallery")
    os.makedirs(out, exist_ok=True)
    images = {
        "check_box.png": check_box(WHITE, INK),
        "check_box_pressed.png": check_box((190, 220, 255, 255), INK),
        "check_box_disabled.png": check_box(LIGHT_GREY, GREY),
        "check_cross.png": check_cross(GREEN),
        "check_cross_disabled.png": check_cross(GREY),
        "slider_track.png": bar(60, 20, (200, 200, 210, 255), (225, 225, 232, 255), (150, 150, 165, 255)),
        "slider_progress.png": bar(30, 20, (110, 175, 250, 255), (50, 110, 210, 255)),
        "ball.png": ball(WHITE),
        "ball_pressed.png": ball((255, 225, 90, 255)),
        "ball_disabled.png": ball(LIGHT_GREY),
        "loading_bar.png": bar(300, 28, (255, 200, 80, 255), (235, 110, 40, 255)),
        "loading_bar_green.png": bar(60, 28, (140, 220, 120, 255), (50, 150, 70, 255)),
        "frame.png": frame(),
        "digits.png": digit_atlas(),
    }
    for name, canvas in images.items():
        canvas.save(os.path.join(out, name))
    page, description = bitmap_font("dots")
    page.save(os.path.join(out, "dots.png"))
    with open(os.path.join(out, "dots.fnt"), "w", encoding="ascii") as fnt:
        fnt.write(description)


if __name__ == "__main__":
    main()
