"""Text layout and illustration of one page.

Image coordinates here: 640 x 960, y down.  The page layer puts its
previous / play / next / home items over the bottom RESERVED pixels, so
no text and no figure that matters goes there.
"""

from dataclasses import dataclass

import art
from canvas import Canvas, lighter, text_width

W, H = 640, 960
RESERVED = 100
PANEL_X0, PANEL_X1 = 24, 616
PANEL_PAD_X, PANEL_PAD_Y = 24, 14
TOP_BAND = 44          # room above a top panel for the page number
TEXT_FACE = "story"
TEXT_INK = (70, 46, 84)
MIN_HOTSPOT_W = 180
HOTSPOT_PAD_X = 12
HINT_ROW = 28          # the page's hint line below the sentences (a label of the document)


@dataclass
class TextLayout:
    size: int
    panel: tuple      # (x0, y0, x1, y1) or None when the page has no text
    lines: list       # (centre x, top y, text)
    boxes: dict       # sentence index -> (x0, y0, x1, y1)
    stage: tuple      # (top, bottom): the part of the page left for the picture
    hint: tuple = None  # (centre x, centre y) of the hint line, when the page has one


def wrap(text, size, max_w):
    words = text.split()
    lines, cur = [], ""
    for w in words:
        trial = w if not cur else cur + " " + w
        if cur and text_width(trial, size, TEXT_FACE) > max_w:
            lines.append(cur)
            cur = w
        else:
            cur = trial
    if cur:
        lines.append(cur)
    return lines


def line_height(size):
    return round(size * 1.32)


def layout_text(page):
    if not page.sentences:
        return TextLayout(0, None, [], {}, (0, H - RESERVED))
    size = 26 if page.text_small else 30
    lh = line_height(size)
    gap = round(size * 0.3)
    max_w = PANEL_X1 - PANEL_X0 - 2 * PANEL_PAD_X
    wrapped = [(i, wrap(t, size, max_w)) for i, t in page.sentences]
    n_lines = sum(len(ls) for _, ls in wrapped)
    panel_h = n_lines * lh + gap * (len(wrapped) - 1) + 2 * PANEL_PAD_Y
    if page.text_pos == "top":
        y0 = TOP_BAND
        y1 = y0 + panel_h
        stage = (y1, H - RESERVED)
    else:
        y1 = H - RESERVED - 8
        y0 = y1 - panel_h
        stage = (0, y0)
    # The hint line makes the panel taller over the picture without moving the picture, so the
    # sprites the story places in design units keep standing where the picture has its ground.
    hint_h = gap + HINT_ROW if page.hint else 0
    if page.text_pos == "top":
        y1 += hint_h
    else:
        y0 -= hint_h
    cx = (PANEL_X0 + PANEL_X1) / 2
    lines, boxes = [], {}
    y = y0 + PANEL_PAD_Y
    for index, ls in wrapped:
        top = y
        widest = 0
        for text in ls:
            lines.append((cx, y, text))
            widest = max(widest, text_width(text, size, TEXT_FACE))
            y += lh
        w = max(MIN_HOTSPOT_W, widest + 2 * HOTSPOT_PAD_X)
        boxes[index] = (round(cx - w / 2), top + 1, round(cx + w / 2), y - 1)
        y += gap
    hint = (cx, y + HINT_ROW / 2) if page.hint else None
    return TextLayout(size, (PANEL_X0, y0, PANEL_X1, y1), lines, boxes, stage, hint)


def _draw_panel(c, tl):
    x0, y0, x1, y1 = tl.panel
    c.rrect(x0 + 3, y0 + 5, x1 + 3, y1 + 5, 26, (60, 40, 50, 40))
    c.rrect(x0, y0, x1, y1, 26, (255, 251, 240, 232), (232, 208, 165), 3)
    for cx, top, text in tl.lines:
        # top of the line box + one em gives a baseline that centres Andika's x-height
        c.text(cx, top + tl.size * 1.0, text, tl.size, TEXT_INK, TEXT_FACE, "ms")


def draw_scene(c, page, stage):
    top, bottom = stage
    sh = bottom - top
    kind = page.scene
    opts = page.scene_opts
    if kind == "outdoor":
        art.bg_outdoor(c, top + sh * opts.get("horizon", 0.55), opts, top)
    elif kind == "indoor":
        art.bg_indoor(c, top + sh * opts.get("horizon", 0.6), opts, top)
    elif kind == "plain":
        art.bg_plain(c, opts)
    else:
        raise ValueError("page %d: unknown scene %s" % (page.number, kind))
    for put in page.puts:
        fn, default_h = art.THINGS[put.name]
        h = (put.h if put.h is not None else default_h) * sh
        art.draw_thing(c, put.name, put.x, top + put.y * sh, h, put.flip, **put.opts)


def render_page(page, tl):
    """The page's illustration: background, figures and the sentence text."""
    c = Canvas(W, H)
    if page.is_words:
        render_words_background(c, page)
    else:
        draw_scene(c, page, tl.stage)
        if tl.panel:
            _draw_panel(c, tl)
    return c.result()


WORD_TINTS = ["yellow", "green", "pink", "blue", "orange", "purple"]


def render_words_background(c, page):
    tint = WORD_TINTS[page.number % len(WORD_TINTS)]
    art.bg_plain(c, {"tint": tint})
    base = art.COLOURS[tint]
    # ribbon behind the title label
    c.poly([(70, 40), (570, 40), (600, 75), (570, 110), (70, 110), (40, 75)],
           lighter(base, 0.15), art.INK, 2.5)
    for x in (90, 550):
        c.poly(art.star_points(x, 75, 16), art.YELLOW, art.INK, 1.5)
