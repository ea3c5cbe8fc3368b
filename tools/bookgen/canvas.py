"""Drawing surface for the book's pictures.

Pillow draws shapes without anti-aliasing, so every picture is drawn at
SS times its final size and scaled down at the end.  Callers always work
in final pixels (640 x 960 for a page, y down); the Canvas does the
multiplication.

A Pen draws one figure in its own 100-unit box: (0, 0) is the figure's
foot point, u grows to the right (or left when flipped), v grows
downwards, so the top of a 100-high figure is at v = -100.
"""

import math

from PIL import Image, ImageDraw, ImageFont

SS = 2
INK = (84, 62, 58)

FONT_DIR = "/usr/share/fonts/truetype"
FONTS = {
    "story": FONT_DIR + "/andika/Andika-Regular.ttf",
    "story-bold": FONT_DIR + "/andika/Andika-Bold.ttf",
    "sans": FONT_DIR + "/liberation2/LiberationSans-Regular.ttf",
    "sans-bold": FONT_DIR + "/liberation2/LiberationSans-Bold.ttf",
}
_font_cache = {}


def font(name, size):
    key = (name, size)
    if key not in _font_cache:
        _font_cache[key] = ImageFont.truetype(FONTS[name], size)
    return _font_cache[key]


def mix(a, b, t):
    """Blend two RGB(A) colours, t = 0 gives a, t = 1 gives b."""
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def darker(col, t=0.25):
    return mix(col, (40, 25, 30), t)


def lighter(col, t=0.35):
    return mix(col, (255, 255, 255), t)


def _translucent(args):
    return any(isinstance(a, tuple) and len(a) == 4 and a[3] < 255 for a in args)


def blended(method):
    """Pillow replaces pixels when it draws on an RGBA image, alpha included,
    so a translucent shape would punch a hole into a sprite.  Draw such a
    shape on a layer of its own and composite the layer instead."""
    def draw(self, *args, **kwargs):
        if not (self.transparent and _translucent(list(args) + list(kwargs.values()))):
            return method(self, *args, **kwargs)
        target, layer = self.img, Image.new("RGBA", self.img.size, (0, 0, 0, 0))
        self.img, self.d = layer, ImageDraw.Draw(layer)
        try:
            method(self, *args, **kwargs)
        finally:
            self.img, self.d = target, ImageDraw.Draw(target)
        target.alpha_composite(layer)
    return draw


def oval_points(cx, cy, rx, ry, angle=0.0, n=48):
    a = math.radians(angle)
    ca, sa = math.cos(a), math.sin(a)
    pts = []
    for i in range(n):
        t = 2 * math.pi * i / n
        x, y = rx * math.cos(t), ry * math.sin(t)
        pts.append((cx + x * ca - y * sa, cy + x * sa + y * ca))
    return pts


class Canvas:
    def __init__(self, w, h, bg=(255, 255, 255), transparent=False):
        self.w, self.h = w, h
        self.transparent = transparent
        if transparent:
            self.img = Image.new("RGBA", (w * SS, h * SS), (0, 0, 0, 0))
            self.d = ImageDraw.Draw(self.img)
        else:
            self.img = Image.new("RGB", (w * SS, h * SS), bg)
            # "RGBA" drawing mode blends translucent fills onto the RGB image
            self.d = ImageDraw.Draw(self.img, "RGBA")

    # -- primitives, all in final pixels -------------------------------
    @staticmethod
    def _s(v):
        return v * SS

    def _w(self, width):
        return max(1, int(round(width * SS)))

    @blended
    def rect(self, x0, y0, x1, y1, fill=None, outline=None, width=0):
        self.d.rectangle([x0 * SS, y0 * SS, x1 * SS - 1, y1 * SS - 1], fill=fill,
                         outline=outline, width=self._w(width) if outline else 0)

    @blended
    def rrect(self, x0, y0, x1, y1, r, fill=None, outline=None, width=2.0):
        x0, x1 = min(x0, x1), max(x0, x1)
        y0, y1 = min(y0, y1), max(y0, y1)
        r = max(0, min(r, (x1 - x0) / 2, (y1 - y0) / 2))
        self.d.rounded_rectangle([x0 * SS, y0 * SS, x1 * SS, y1 * SS], radius=r * SS,
                                 fill=fill, outline=outline,
                                 width=self._w(width) if outline else 0)

    @blended
    def ellipse(self, cx, cy, rx, ry, fill=None, outline=None, width=2.0, angle=0.0):
        if angle:
            self.poly(oval_points(cx, cy, rx, ry, angle), fill, outline, width)
            return
        self.d.ellipse([(cx - rx) * SS, (cy - ry) * SS, (cx + rx) * SS, (cy + ry) * SS],
                       fill=fill, outline=outline, width=self._w(width) if outline else 0)

    def circle(self, cx, cy, r, fill=None, outline=None, width=2.0):
        self.ellipse(cx, cy, r, r, fill, outline, width)

    @blended
    def poly(self, pts, fill=None, outline=None, width=2.0):
        p = [(x * SS, y * SS) for x, y in pts]
        if fill is not None:
            self.d.polygon(p, fill=fill)
        if outline is not None:
            self.d.line(p + [p[0]], fill=outline, width=self._w(width), joint="curve")
            r = self._w(width) / 2
            for x, y in p:
                self.d.ellipse([x - r, y - r, x + r, y + r], fill=outline)

    @blended
    def line(self, pts, fill, width=2.0, caps=True):
        p = [(x * SS, y * SS) for x, y in pts]
        w = self._w(width)
        self.d.line(p, fill=fill, width=w, joint="curve")
        if caps:
            r = w / 2
            for x, y in (p[0], p[-1]):
                self.d.ellipse([x - r, y - r, x + r, y + r], fill=fill)

    @blended
    def arc(self, cx, cy, rx, ry, start, end, fill, width=2.0):
        self.d.arc([(cx - rx) * SS, (cy - ry) * SS, (cx + rx) * SS, (cy + ry) * SS],
                   start, end, fill=fill, width=self._w(width))

    @blended
    def pie(self, cx, cy, rx, ry, start, end, fill, outline=None, width=2.0):
        self.d.pieslice([(cx - rx) * SS, (cy - ry) * SS, (cx + rx) * SS, (cy + ry) * SS],
                        start, end, fill=fill, outline=outline,
                        width=self._w(width) if outline else 0)

    @blended
    def chord(self, cx, cy, rx, ry, start, end, fill, outline=None, width=2.0):
        self.d.chord([(cx - rx) * SS, (cy - ry) * SS, (cx + rx) * SS, (cy + ry) * SS],
                     start, end, fill=fill, outline=outline,
                     width=self._w(width) if outline else 0)

    def vgradient(self, x0, y0, x1, y1, top, bottom):
        """Vertical colour ramp, drawn row by row at full resolution."""
        ys, ye = int(y0 * SS), int(y1 * SS)
        for y in range(ys, ye):
            t = (y - ys) / max(1, ye - ys - 1)
            self.d.line([(x0 * SS, y), (x1 * SS - 1, y)], fill=mix(top, bottom, t))

    def text(self, x, y, s, size, fill, face="story", anchor="la", stroke=0, stroke_fill=None):
        f = font(face, max(1, int(round(size * SS))))
        self.d.text((x * SS, y * SS), s, font=f, fill=fill, anchor=anchor,
                    stroke_width=int(stroke * SS), stroke_fill=stroke_fill)

    def result(self):
        if self.transparent:
            # scale premultiplied so that transparent pixels don't darken edges
            small = self.img.convert("RGBa").resize((self.w, self.h), Image.LANCZOS)
            return small.convert("RGBA")
        return self.img.resize((self.w, self.h), Image.LANCZOS)


def text_width(s, size, face="story"):
    return font(face, size).getlength(s)


class Pen:
    """Draws a figure in a 100-unit box standing on (x, y)."""

    def __init__(self, canvas, x, y, height, flip=False, ink=INK):
        self.c = canvas
        self.x, self.y = x, y
        self.k = height / 100.0
        self.f = -1 if flip else 1
        self.ink = ink
        self.ow = max(1.0, min(3.0, height / 70.0))

    def P(self, u, v):
        return (self.x + self.f * u * self.k, self.y + v * self.k)

    def _ol(self, outline):
        return self.ink if outline is True else outline

    def ellipse(self, u, v, ru, rv, fill, outline=True, angle=0.0, width=None):
        x, y = self.P(u, v)
        self.c.ellipse(x, y, ru * self.k, rv * self.k, fill, self._ol(outline),
                       width or self.ow, angle * self.f)

    def circle(self, u, v, r, fill, outline=True, width=None):
        self.ellipse(u, v, r, r, fill, outline, 0.0, width)

    def poly(self, pts, fill, outline=True, width=None):
        self.c.poly([self.P(u, v) for u, v in pts], fill, self._ol(outline), width or self.ow)

    def line(self, pts, fill, w):
        self.c.line([self.P(u, v) for u, v in pts], fill, w * self.k)

    def rrect(self, u0, v0, u1, v1, r, fill, outline=True, width=None):
        (x0, y0), (x1, y1) = self.P(u0, v0), self.P(u1, v1)
        self.c.rrect(x0, y0, x1, y1, r * self.k, fill, self._ol(outline), width or self.ow)

    def arc(self, u, v, ru, rv, start, end, fill, w):
        x, y = self.P(u, v)
        if self.f < 0:
            start, end = 180 - end, 180 - start
        self.c.arc(x, y, ru * self.k, rv * self.k, start, end, fill, w * self.k)

    def chord(self, u, v, ru, rv, start, end, fill, outline=True):
        x, y = self.P(u, v)
        if self.f < 0:
            start, end = 180 - end, 180 - start
        self.c.chord(x, y, ru * self.k, rv * self.k, start, end, fill,
                     self._ol(outline), self.ow)

    def pie(self, u, v, ru, rv, start, end, fill, outline=True):
        x, y = self.P(u, v)
        if self.f < 0:
            start, end = 180 - end, 180 - start
        self.c.pie(x, y, ru * self.k, rv * self.k, start, end, fill,
                   self._ol(outline), self.ow)

    def text(self, u, v, s, size, fill, face="story-bold", anchor="mm"):
        x, y = self.P(u, v)
        self.c.text(x, y, s, size * self.k, fill, face, anchor)
