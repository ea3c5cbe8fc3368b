"""Sprite sheets: frame pictures, packing and the property-list atlas.

The atlas is the usual "format 2" layout.  A frame whose picture is
clearly taller than wide is stored turned 90 degrees clockwise, so that
the shelves stay low; "frame" always gives the unturned size and a turned
frame occupies h x w pixels at its (x, y).
"""

import plistlib

from PIL import Image

import art
from canvas import Canvas, INK, lighter, mix, text_width

PAD = 2


def render_figure(name, height, **opts):
    """One figure on a transparent background, cropped to its pixels."""
    w = int(height * 2.2) + 40
    h = int(height * 1.3) + 40
    c = Canvas(w, h, transparent=True)
    art.draw_thing(c, name, w / 2, h - 20, height, **opts)
    img = c.result()
    box = img.getchannel("A").point(lambda a: 255 if a > 8 else 0).getbbox()
    x0, y0, x1, y1 = box
    return img.crop((max(0, x0 - PAD), max(0, y0 - PAD), min(w, x1 + PAD), min(h, y1 + PAD)))


def render_layers(layers, w, h):
    """Several figures in one frame: layers of (name, x, y, height, opts)."""
    c = Canvas(w, h, transparent=True)
    for name, x, y, height, opts in layers:
        art.draw_thing(c, name, x, y, height, **opts)
    img = c.result()
    box = img.getchannel("A").point(lambda a: 255 if a > 8 else 0).getbbox()
    return img.crop((max(0, box[0] - PAD), max(0, box[1] - PAD), min(w, box[2] + PAD),
                     min(h, box[3] + PAD)))


def render_plate(w, h, radius, fill, border, border_w=3, shadow=True):
    """A rounded plate for nine-slice use: corners of `radius` pixels."""
    c = Canvas(w, h, transparent=True)
    if shadow:
        c.rrect(1, 3, w - 1, h - 1, radius - 1, (60, 40, 50, 60))
    c.rrect(1, 1, w - 1, h - 3 if shadow else h - 1, radius - 1, fill, border, border_w)
    return c.result()


# name -> function giving the frame picture
CAST = {
    "pip_wave.png": lambda: render_figure("pip", 200, pose="wave"),
    "pip_sleep.png": lambda: render_figure("pip", 200, pose="wave", top="blue"),
    "pip_umbrella.png": lambda: render_layers(
        [("umbrella", 150, 250, 200, {"color": "yellow"}), ("pip", 150, 330, 190, {"pose": "hold"})],
        300, 350),
    "lulu.png": lambda: render_figure("lulu", 200, pose="wave"),
    "grandma.png": lambda: render_figure("grandma", 260, pose="wave"),
    "biscuit.png": lambda: render_figure("biscuit", 110, pose="happy"),
    "cow.png": lambda: render_figure("cow", 170),
    "pig.png": lambda: render_figure("pig", 110),
    "butterfly.png": lambda: render_figure("butterfly", 70),
    "bee.png": lambda: render_figure("bee", 60),
    "star.png": lambda: render_figure("star", 90, face=1),
    "sun.png": lambda: render_figure("sun", 160),
    "cloud.png": lambda: render_figure("cloud", 110),
    "drop.png": lambda: render_figure("drop", 50),
    "crab.png": lambda: render_figure("crab", 90),
    "balloon_red.png": lambda: render_figure("balloon", 170, color="red"),
    "balloon_blue.png": lambda: render_figure("balloon", 170, color="blue"),
    "moon.png": lambda: render_figure("moon", 140),
    "banner_plate.png": lambda: render_plate(96, 64, 24, (255, 244, 214), (214, 140, 70), 4),
}


def should_turn(img):
    return img.height > img.width * 1.25


def pack(frames, width, turn=should_turn):
    """Shelf packing.  frames: name -> RGBA image.  Returns (sheet, entries)
    with entries: name -> (x, y, w, h, turned), w and h unturned."""
    items = []
    for name in sorted(frames):
        img = frames[name]
        turned = bool(turn(img))
        stored = img.transpose(Image.Transpose.ROTATE_270) if turned else img
        items.append((name, img, stored, turned))
    items.sort(key=lambda it: (-it[2].height, -it[2].width, it[0]))
    placed = {}
    x = y = shelf_h = 0
    for name, img, stored, turned in items:
        if stored.width + PAD > width:
            raise ValueError("frame %s is wider than the sheet" % name)
        if x + stored.width + PAD > width:
            y += shelf_h
            x = shelf_h = 0
        placed[name] = (x + PAD, y + PAD, stored, turned, img.size)
        x += stored.width + PAD
        shelf_h = max(shelf_h, stored.height + PAD)
    height = y + shelf_h + PAD
    height += (-height) % 4
    sheet = Image.new("RGBA", (width, height), (0, 0, 0, 0))
    entries = {}
    for name, (px, py, stored, turned, (w, h)) in placed.items():
        sheet.paste(stored, (px, py))
        entries[name] = (px, py, w, h, turned)
    return sheet, entries


def atlas_plist(entries, texture_name, size):
    frames = {}
    for name, (x, y, w, h, turned) in entries.items():
        frames[name] = {
            "frame": "{{%d,%d},{%d,%d}}" % (x, y, w, h),
            "offset": "{0,0}",
            "rotated": turned,
            "sourceColorRect": "{{0,0},{%d,%d}}" % (w, h),
            "sourceSize": "{%d,%d}" % (w, h),
        }
    meta = {
        "format": 2,
        "realTextureFileName": texture_name,
        "size": "{%d,%d}" % size,
        "textureFileName": texture_name,
    }
    return plistlib.dumps({"frames": frames, "metadata": meta}, sort_keys=True)


def palette_png(img):
    """RGBA -> 256-colour palette with alpha; flat drawings survive it well."""
    return img.quantize(256, method=Image.Quantize.FASTOCTREE, dither=Image.Dither.NONE)


# ------------------------------------------------------------ word cards

CARD_W, CARD_H = 240, 200
WORD_ART = {"dog": ("biscuit", {}), "cat": ("kiki", {}), "ice-cream": ("icecream", {})}
CARD_TINTS = [(240, 120, 110), (110, 170, 235), (120, 195, 110), (245, 170, 70),
              (175, 125, 220), (240, 140, 180)]


def word_label(word):
    return word.replace("-", " ")


def card_icon(word):
    if word in art.COLOURS:
        return render_figure("paint", 120, color=word)
    name, opts = WORD_ART.get(word, (word, {}))
    return render_figure(name, 150, **opts)


def render_card(word, index, pressed=False, icon=None):
    tint = CARD_TINTS[index % len(CARD_TINTS)]
    c = Canvas(CARD_W, CARD_H, transparent=True)
    c.rrect(2, 6, CARD_W - 2, CARD_H - 1, 22, (60, 40, 50, 70))
    fill = (255, 246, 196) if pressed else (255, 255, 255)
    border = mix(tint, (255, 150, 20), 0.6) if pressed else tint
    c.rrect(2, 2, CARD_W - 2, CARD_H - 6, 22, fill, border, 7 if pressed else 5)
    c.rrect(14, 14, CARD_W - 14, 146, 14, lighter(tint, 0.82))
    label = word_label(word)
    size = 34
    while text_width(label, size, "story-bold") > CARD_W - 30:
        size -= 2
    c.text(CARD_W / 2, 176, label, size, INK, "story-bold", "ms")
    img = c.result()
    icon = icon or card_icon(word)
    scale = min(190 / icon.width, 120 / icon.height)
    icon = icon.resize((max(1, round(icon.width * scale)), max(1, round(icon.height * scale))),
                       Image.LANCZOS)
    img.alpha_composite(icon, (round(CARD_W / 2 - icon.width / 2), round(80 - icon.height / 2)))
    return img
