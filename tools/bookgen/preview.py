"""Preview of generated pages, drawn roughly as the reader shows them.

Reads the documents back from the book folder (only what this generator
writes: panels, image views, buttons, text buttons, labels, text areas),
draws the page layer's own items along the bottom, outlines every
sentence hotspot in red and shows where the caption of sentence 1 lands.
It is a tool for looking at the book, not a model of the reader.
"""

import json
import os
import plistlib
import re

from PIL import Image, ImageDraw, ImageFont

import names

W, H = 640, 960
SANS = "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf"
SANS_BOLD = "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf"
CAPTION_BLUE = (0, 0, 255)


def _font(size, bold=False):
    return ImageFont.truetype(SANS_BOLD if bold else SANS, max(1, int(size)))


def _nums(s):
    return [int(v) for v in re.findall(r"-?\d+", s)]


class Sheets:
    def __init__(self):
        self.frames = {}

    def load(self, plist_path):
        with open(plist_path, "rb") as f:
            atlas = plistlib.load(f)
        tex = Image.open(os.path.join(os.path.dirname(plist_path),
                                      atlas["metadata"]["textureFileName"])).convert("RGBA")
        for name, fr in atlas["frames"].items():
            x, y, w, h = _nums(fr["frame"])
            if fr["rotated"]:
                img = tex.crop((x, y, x + h, y + w)).transpose(Image.Transpose.ROTATE_90)
            else:
                img = tex.crop((x, y, x + w, y + h))
            self.frames[name] = img


def nine_slice(img, insets, size):
    x, y, cw, ch = (int(v) for v in insets)
    w, h = img.size
    r, b = w - x - cw, h - y - ch
    tw, th = max(1, int(size[0])), max(1, int(size[1]))
    out = Image.new("RGBA", (tw, th), (0, 0, 0, 0))
    cols = [(0, x, 0, x), (x, x + cw, x, tw - r), (x + cw, w, tw - r, tw)]
    rows = [(0, y, 0, y), (y, y + ch, y, th - b), (y + ch, h, th - b, th)]
    for sx0, sx1, dx0, dx1 in cols:
        for sy0, sy1, dy0, dy1 in rows:
            if sx1 > sx0 and sy1 > sy0 and dx1 > dx0 and dy1 > dy0:
                piece = img.crop((sx0, sy0, sx1, sy1)).resize((dx1 - dx0, dy1 - dy0))
                out.alpha_composite(piece, (dx0, dy0))
    return out


class PagePainter:
    def __init__(self, book, doc_path):
        self.book = book
        self.dir = os.path.dirname(doc_path) + "/"
        with open(doc_path) as f:
            self.doc = json.load(f)
        version = self.doc.get("version")
        self.older = version is None or _version_number(version) < 250
        self.sheets = Sheets()
        for t in self.doc.get("textures", []):
            self.sheets.load(os.path.normpath(self.dir + t))
        self.canvas = Image.new("RGBA", (W, H), (255, 255, 255, 255))
        self.hotspots = []

    def image(self, opts, key):
        if self.older:
            name = opts.get(key)
            if not name:
                return None
            if opts.get("useMergedTexture"):
                return self.sheets.frames.get(name)
            path = os.path.normpath(self.dir + name)
        else:
            ref = opts.get(key + "Data") or {}
            if not ref.get("path"):
                return None
            if ref.get("resourceType") == 1:
                return self.sheets.frames.get(ref["path"])
            path = os.path.normpath(self.dir + ref["path"])
        return Image.open(path).convert("RGBA") if os.path.exists(path) else None

    def blit(self, img, x, y, anchor, sx=1.0, sy=1.0):
        w, h = max(1, round(img.width * abs(sx))), max(1, round(img.height * abs(sy)))
        if (w, h) != img.size:
            img = img.resize((w, h), Image.LANCZOS)
        left = x - anchor[0] * w
        top = H - (y + (1 - anchor[1]) * h)
        self.canvas.alpha_composite(img, (round(left), round(top)))
        return (left, top, left + w, top + h)

    def text(self, s, x, y, size, colour, anchor, box=None, align=1, bold=False):
        d = ImageDraw.Draw(self.canvas)
        f = _font(size, bold)
        lines = wrap_sans(s, size, box[0]) if box and box[0] else [s]
        lh = round(size * 1.15)
        tw = max(f.getlength(line) for line in lines) if box is None else box[0]
        th = lh * len(lines) if box is None or not box[1] else box[1]
        left = x - anchor[0] * tw
        top = H - (y + (1 - anchor[1]) * th)
        for k, line in enumerate(lines):
            lw = f.getlength(line)
            lx = left + {0: 0, 1: (tw - lw) / 2, 2: tw - lw}[align]
            d.text((lx, top + k * lh), line, font=f, fill=colour)

    def walk(self, n, ox, oy):
        cls, o = n["classname"], n.get("options", {})
        x, y = ox + o.get("x", 0), oy + o.get("y", 0)
        anchor = (o.get("anchorPointX", 0.5), o.get("anchorPointY", 0.5))
        sx, sy = o.get("scaleX", 1.0), o.get("scaleY", 1.0)
        if cls == "Panel":
            w, h = o.get("width", 0), o.get("height", 0)
            left, bottom = x - anchor[0] * w, y - anchor[1] * h
            if o.get("colorType") == 1:
                ImageDraw.Draw(self.canvas).rectangle(
                    [left, H - bottom - h, left + w, H - bottom],
                    fill=(o["bgColorR"], o["bgColorG"], o["bgColorB"]))
            img = self.image(o, "backGroundImage")
            if img:
                self.blit(img, left + w / 2, bottom + h / 2, (0.5, 0.5))
            for child in sorted(n.get("children", []),
                                key=lambda c: c.get("options", {}).get("ZOrder", 0)):
                self.walk(child, left, bottom)
        elif cls == "ImageView":
            img = self.image(o, "fileName")
            if img:
                self.blit(img, x, y, anchor, sx, sy)
        elif cls in ("Button", "TextButton"):
            name = o.get("name", "")
            page_button = re.fullmatch(r"bn\d+", name)
            img = self.image(o, "normal")
            if img is None:
                return
            if o.get("scale9Enable"):
                img = nine_slice(img, (o["capInsetsX"], o["capInsetsY"], o["capInsetsWidth"],
                                       o["capInsetsHeight"]), (o["scale9Width"], o["scale9Height"]))
            box = self.blit(img, x, y, anchor, sx, sy)
            if page_button:
                self.hotspots.append((name, box, (x, y), (abs(sx), abs(sy)),
                                      self.image(o, "normal").size))
            if cls == "TextButton":
                cx, cy = (box[0] + box[2]) / 2, H - (box[1] + box[3]) / 2
                self.text(o.get("text", ""), cx, cy, o.get("fontSize", 20),
                          (o.get("textColorR", 255), o.get("textColorG", 255),
                           o.get("textColorB", 255)), (0.5, 0.5))
        elif cls in ("Label", "TextArea"):
            colour = (o.get("colorR", 255), o.get("colorG", 255), o.get("colorB", 255))
            box = (o["areaWidth"], o["areaHeight"]) if "areaWidth" in o else None
            self.text(o.get("text", ""), x, y, o.get("fontSize", 20), colour, anchor, box,
                      o.get("hAlignment", 1))

    def paint(self):
        self.walk(self.doc["widgetTree"], 0, 0)
        return self.canvas


def _version_number(v):
    if len(v) < 7:
        return 0
    parts = (v.split(".", 3) + ["0"] * 4)[:4]
    digits = [int(re.match(r"\d*", p).group() or 0) for p in parts]
    return digits[0] * 1000 + digits[1] * 100 + digits[2] * 10 + digits[3]


def wrap_sans(text, size, width):
    f = _font(size)
    lines, cur = [], ""
    for word in text.split():
        trial = word if not cur else cur + " " + word
        if cur and f.getlength(trial) > width:
            lines.append(cur)
            cur = word
        else:
            cur = trial
    return lines + ([cur] if cur else [])


def read_strings(path):
    with open(path, "rb") as f:
        return plistlib.load(f)


def page_layer(book, painter, page, strings, captions):
    """The page layer's items over the page, and the caption of sentence 1."""
    img = painter.canvas
    d = ImageDraw.Draw(img)
    images = os.path.join(book, "Images")
    play = Image.open(os.path.join(images, "play_btn.png")).convert("RGBA")
    pw, ph = play.size
    for name, (x, y) in (("up1.png", (320 - pw / 2, ph / 2 + 6)), ("play_btn.png", (580, 40)),
                         ("next1.png", (320 + pw / 2, ph / 2 + 6))):
        painter.blit(Image.open(os.path.join(images, name)).convert("RGBA"), x, y, (0.5, 0.5))
    painter.text(strings.get("main_page", ""), 60, 30, 32, CAPTION_BLUE, (0.5, 0.5))

    for name, box, _, _, _ in painter.hotspots:
        d.rectangle(box, outline=(255, 0, 0), width=2)
        d.text((box[0] + 3, box[1] + 1), name, font=_font(11), fill=(255, 0, 0))

    first = names.button_name(page, 1)
    hit = [h for h in painter.hotspots if h[0] == first]
    key = names.caption_key(page, 1)
    if hit and key in captions:
        _, _, (px, py), (sx, sy), (bw, bh) = hit[0]
        place_caption(painter, captions[key], px - 320, py - 480, sx, sy, bw, bh)
    else:
        painter.text(strings.get("bntext", ""), 320, 40, 22, CAPTION_BLUE, (0.5, 0.5), (160, 0))


def place_caption(painter, text, px, py, sx, sy, bw, bh):
    """Where the reader puts a caption: beside the button, inside the screen."""
    w = sx * bw
    lines = wrap_sans(text, 22, w)
    lh = 25 * len(lines)
    half = w / 2
    cx = 320 + px
    x = half if half > cx else (640 - half if cx > 640 - half else cx)
    d = 960 / 40
    cy = 480 + py
    if cy > 480:
        label_y = cy - ((sy * bh * 0.5 if sy < 1.4 else sy * bh * 6 / 11) + lh * 0.5)
        plate_y = label_y - d / 2
    else:
        label_y = cy + sy * bh * 0.5 + lh * 3 / 5
        plate_y = label_y + d / 2
    plate = Image.open(os.path.join(painter.book, "Images", "bnchback1.png")).convert("RGBA")
    painter.blit(nine_slice(plate, (20, 20, 20, 20), (w, lh + d)), x, plate_y, (0.5, 0.5))
    painter.text(text, x, label_y, 22, CAPTION_BLUE, (0.5, 0.5), (w, lh))


def render(book, numbers, out_png, scale=0.5):
    strings = read_strings(os.path.join(book, "String.xml"))
    captions = read_strings(os.path.join(book, "Stringstr.xml"))
    tiles = []
    for n in numbers:
        if n == "settings":
            tiles.append(PagePainter(book, os.path.join(book, "3age", "pageset.json")).paint())
            continue
        painter = PagePainter(book, os.path.join(book, names.document_name(n)))
        painter.paint()
        page_layer(book, painter, n, strings, captions)
        tiles.append(painter.canvas)
    if not tiles:
        return
    tw, th = round(W * scale), round(H * scale)
    cols = min(len(tiles), 5)
    rows = (len(tiles) + cols - 1) // cols
    sheet = Image.new("RGB", (cols * (tw + 8) + 8, rows * (th + 8) + 8), (60, 60, 70))
    for k, tile in enumerate(tiles):
        sheet.paste(tile.convert("RGB").resize((tw, th), Image.LANCZOS),
                    (8 + (k % cols) * (tw + 8), 8 + (k // cols) * (th + 8)))
    sheet.save(out_png)

