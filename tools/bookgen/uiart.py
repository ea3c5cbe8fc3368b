"""Loose images of the reader's controls and screens."""

import art
from canvas import INK, Canvas, darker, lighter
from sheets import render_figure, render_plate

WHITE = (255, 255, 255)


def hotspot(pressed):
    """bnren1: a nearly invisible sentence hotspot; bnren2: the soft
    highlight shown while the sentence is read.  Both 80 x 40, since the
    page layer swaps one for the other on the same button."""
    c = Canvas(80, 40, transparent=True)
    if pressed:
        c.rrect(1, 1, 79, 39, 12, (255, 222, 80, 96), (255, 176, 40, 170), 2)
    else:
        c.rrect(1, 1, 79, 39, 12, (255, 248, 220, 14))
    return c.result()


def caption_plate():
    """bnchback1: 60 x 60 with 20-pixel corners, so equal thirds slice cleanly."""
    return render_plate(60, 60, 20, (255, 252, 228), (236, 196, 120), 3, shadow=False)


def _round_button(fill, icon, pressed):
    size = 92
    c = Canvas(size, size, transparent=True)
    r = 42 if not pressed else 40
    c.circle(46, 49, r, (60, 40, 50, 70))
    c.circle(46, 46, r, darker(fill, 0.15) if pressed else fill, INK, 3)
    c.circle(46, 46, r - 8, None, lighter(fill, 0.35), 3)
    icon(c)
    return c.result()


def arrow(direction, pressed):
    def icon(c):
        s = 1 if direction == "right" else -1
        pts = [(46 - s * 16, 36), (46 + s * 2, 36), (46 + s * 2, 24), (46 + s * 22, 46),
               (46 + s * 2, 68), (46 + s * 2, 56), (46 - s * 16, 56)]
        c.poly(pts, WHITE, INK, 2.5)
    return _round_button((250, 160, 60), icon, pressed)


def play_button():
    def icon(c):
        c.poly([(36, 26), (68, 46), (36, 66)], WHITE, INK, 2.5)
    return _round_button((110, 190, 90), icon, False)


def pause_button():
    def icon(c):
        c.rrect(32, 28, 42, 64, 3, WHITE, INK, 2.5)
        c.rrect(50, 28, 60, 64, 3, WHITE, INK, 2.5)
    return _round_button((90, 150, 230), icon, False)


def mascot():
    """grossini: the small Pip that glides across the home screen."""
    return render_figure("pip", 96, pose="wave")


def drag_hint():
    # a JPEG has no transparency, so the card fills the whole picture
    c = Canvas(200, 120, (255, 244, 200))
    c.rect(0, 0, 200, 120, None, (230, 170, 80), 4)
    for dy in (-1, 1):
        y = 60 + dy * 36
        c.poly([(52, y), (36, y - dy * 16), (68, y - dy * 16)], (250, 150, 60), INK, 2)
    c.rrect(46, 38, 58, 82, 5, (250, 150, 60), INK, 2)
    c.text(132, 70, "Drag", 34, INK, "story-bold", "ms")
    c.text(132, 96, "up and down", 15, INK, "story", "ms")
    return c.result()


def banner():
    return render_plate(96, 64, 24, (255, 244, 214), (214, 140, 70), 4)


SETTING_PLATES = {
    "normal": ((255, 253, 245), (140, 170, 220)),
    "pressed": ((215, 232, 255), (90, 130, 210)),
    "selected": ((255, 236, 150), (240, 160, 50)),
}


def setting_plate(look):
    fill, border = SETTING_PLATES[look]
    return render_plate(120, 72, 24, fill, border, 4)


def settings_background():
    c = Canvas(640, 960, (255, 246, 225))
    art.bg_plain(c, {"tint": "blue"})
    c.rrect(176, 30, 616, 140, 30, (255, 253, 245, 230), (140, 170, 220), 4)
    c.rrect(70, 240, 570, 760, 34, (255, 255, 255, 120))
    art.draw_thing(c, "pip", 120, 930, 150, pose="wave")
    art.draw_thing(c, "biscuit", 540, 930, 80, flip=True, pose="happy")
    art.draw_thing(c, "teddy", 230, 930, 60)
    art.draw_thing(c, "star", 450, 900, 40)
    return c.result()
