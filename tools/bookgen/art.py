"""The book's cast, props and backgrounds.

Every figure is a function drawing with a Pen (see canvas.py) in a
100-unit box standing on its foot point.  THINGS maps a name to
(function, default height as a share of the stage height).
"""

import math

from canvas import INK, Pen, darker, lighter, mix

# palette
SKY = (172, 222, 250)
SKY_LOW = (226, 245, 255)
GRASS = (140, 205, 105)
GRASS_DARK = (108, 178, 82)
SUN = (255, 212, 74)
WHITE = (255, 255, 255)
CREAM = (255, 248, 232)
RED = (232, 84, 72)
ORANGE = (247, 150, 60)
YELLOW = (255, 214, 70)
GREEN = (110, 190, 90)
BLUE = (80, 150, 230)
PURPLE = (160, 110, 210)
PINK = (248, 150, 180)
BROWN = (160, 105, 65)
GREY = (170, 170, 182)
BLACK = (60, 50, 55)
CHEEK = (255, 120, 130, 110)
COLOURS = {"storm": (132, 138, 156), "red": RED, "orange": ORANGE, "yellow": YELLOW, "green": GREEN,
           "blue": BLUE, "purple": PURPLE, "pink": PINK, "brown": BROWN,
           "grey": GREY, "white": WHITE}

THINGS = {}


def thing(name, height):
    def register(fn):
        THINGS[name] = (fn, height)
        return fn
    return register


def colour(opts, default):
    c = opts.get("color", default)
    return COLOURS.get(c, c) if isinstance(c, str) else c


# ---------------------------------------------------------------- people

KID = dict(head_r=20, head_y=-72, torso_top=-54, torso_bot=-25, body_w=15,
           shoulder_y=-49, arm_w=7, leg_w=7, hand_r=4.5)
ADULT = dict(head_r=14.5, head_y=-85, torso_top=-71, torso_bot=-38, body_w=14,
             shoulder_y=-67, arm_w=6, leg_w=6.5, hand_r=4)

LOOKS = {
    "pip": dict(body=KID, skin=(255, 214, 180), hair=(214, 118, 46), hair_style="tuft",
                top=(110, 190, 110), bottom=(80, 120, 200), bottom_style="shorts",
                shoes=(232, 84, 72)),
    "lulu": dict(body=KID, skin=(170, 110, 75), hair=(55, 40, 45), hair_style="puffs",
                 top=(170, 110, 215), bottom=(170, 110, 215), bottom_style="dress",
                 shoes=(255, 190, 60), bow=(255, 120, 160)),
    "mum": dict(body=ADULT, skin=(255, 206, 170), hair=(150, 85, 45), hair_style="long",
                top=(255, 200, 70), bottom=(255, 200, 70), bottom_style="dress",
                shoes=(200, 70, 80)),
    "dad": dict(body=ADULT, skin=(255, 206, 170), hair=(90, 60, 45), hair_style="short",
                top=(80, 150, 220), bottom=(90, 90, 110), bottom_style="trousers",
                shoes=(100, 70, 50)),
    "lulumum": dict(body=ADULT, skin=(170, 110, 75), hair=(55, 40, 45), hair_style="bun",
                    top=(120, 200, 150), bottom=(120, 200, 150), bottom_style="dress",
                    shoes=(90, 60, 120)),
    "grandma": dict(body=ADULT, skin=(255, 214, 186), hair=(215, 215, 225), hair_style="bun",
                    top=(120, 170, 230), bottom=(120, 170, 230), bottom_style="dress",
                    shoes=(150, 90, 120), glasses=True, apron=(255, 250, 240)),
}

ARMS = {
    # (elbow, hand) for the left and the right arm, relative to the shoulders
    "stand": (((-5, 11), (-9, 22)), ((5, 11), (9, 22))),
    "wave": (((-5, 11), (-9, 22)), ((12, -6), (14, -26))),
    "up": (((-12, -6), (-14, -26)), ((12, -6), (14, -26))),
    "hold": (((-4, 12), (8, 16)), ((4, 12), (-8, 16))),
    "point": (((-5, 11), (-9, 22)), ((14, 0), (28, -4))),
    "run": (((-10, 6), (-18, 0)), ((8, 10), (16, 2))),
}


def _hair_cap(p, cy, r, col, a0=198, a1=342, depth=0.32, bumps=3, cu=0.0):
    pts = []
    for i in range(25):
        a = math.radians(a0 + (a1 - a0) * i / 24)
        pts.append((cu + math.cos(a) * (r + 1.5), cy + math.sin(a) * (r + 1.5)))
    right, left = pts[-1], pts[0]
    n = 24
    for i in range(n + 1):
        t = i / n
        u = right[0] + (left[0] - right[0]) * t
        base = right[1] + (left[1] - right[1]) * t
        v = base + abs(math.sin(t * math.pi * bumps)) * r * depth * 0.45 + r * 0.02
        pts.append((u, v))
    p.poly(pts, col)


def _face(p, hy, r, skin, glasses=False):
    e = r * 0.36
    for s in (-1, 1):
        p.ellipse(s * e, hy - r * 0.02, r * 0.13, r * 0.17, INK, outline=False)
        p.circle(s * e + r * 0.05, hy - r * 0.09, r * 0.05, WHITE, outline=False)
        p.circle(s * r * 0.6, hy + r * 0.32, r * 0.17, CHEEK, outline=False)
        if glasses:
            p.circle(s * e, hy - r * 0.02, r * 0.28, None, outline=(90, 80, 90), width=p.k * 1.6)
    if glasses:
        p.line([(-e + r * 0.28, hy - r * 0.05), (e - r * 0.28, hy - r * 0.05)], (90, 80, 90), 1.4)
    p.arc(0, hy + r * 0.22, r * 0.3, r * 0.22, 15, 165, INK, max(1.2, r * 0.09))


def person(p, look, pose="stand", mouth="smile"):
    b = look["body"]
    skin, top, bottom = look["skin"], look["top"], look["bottom"]
    hr, hy = b["head_r"], b["head_y"]
    w = b["body_w"]
    tt, tb = b["torso_top"], b["torso_bot"]
    # hair behind the head
    style = look["hair_style"]
    if style == "long":
        p.rrect(-hr - 4, hy - hr * 0.6, hr + 4, hy + hr * 1.3, hr * 0.6, look["hair"])
    if style == "puffs":
        for s in (-1, 1):
            p.circle(s * (hr + 4), hy - hr * 0.35, hr * 0.48, look["hair"])
    if style == "bun":
        p.circle(0, hy - hr - 3, hr * 0.45, look["hair"])
    # legs and shoes
    leg_top = tb - 2
    for s in (-1, 1):
        if look["bottom_style"] == "trousers":
            p.rrect(s * w * 0.5 - 5, leg_top, s * w * 0.5 + 5, -4, 3, bottom)
        else:
            p.line([(s * w * 0.45, leg_top), (s * w * 0.45, -5)], skin, b["leg_w"])
        p.ellipse(s * w * 0.45 + 2.5, -3.5, 7.5, 4, look["shoes"])
    # body
    if look["bottom_style"] == "dress":
        p.poly([(-w * 0.8, tt + 2), (w * 0.8, tt + 2), (w * 1.25, tb + 8), (-w * 1.25, tb + 8)],
               top)
        p.rrect(-w, tt, w, tt + 12, 6, top)
        if look.get("apron"):
            p.rrect(-w * 0.6, tt + 10, w * 0.6, tb + 4, 4, look["apron"])
    else:
        p.rrect(-w, tt, w, tb, 7, top)
        if look["bottom_style"] == "shorts":
            p.rrect(-w + 1, tb - 6, w - 1, tb + 6, 4, bottom)
        elif look["bottom_style"] == "trousers":
            p.rrect(-w + 1, tb - 5, w - 1, tb + 3, 3, bottom)
    # arms
    sy = b["shoulder_y"]
    for s, (elbow, hand) in zip((-1, 1), ARMS.get(pose, ARMS["stand"])):
        sx = s * (w - 2)
        pts = [(sx, sy), (sx + elbow[0], sy + elbow[1]), (sx + hand[0], sy + hand[1])]
        p.line(pts, darker(top, 0.12), b["arm_w"] + 1.6)
        p.line(pts, top, b["arm_w"])
        p.circle(pts[-1][0], pts[-1][1], b["hand_r"], skin)
    # head
    p.rrect(-3, hy + hr - 4, 3, tt + 2, 2, skin, outline=False)
    p.circle(0, hy, hr, skin)
    if style in ("tuft",):
        _hair_cap(p, hy, hr, look["hair"])
        p.ellipse(3, hy - hr - 2.5, 3, 7, look["hair"], angle=30)
    elif style in ("short", "bun", "long"):
        _hair_cap(p, hy, hr, look["hair"], 192, 348, 0.28, 2)
    elif style == "puffs":
        _hair_cap(p, hy, hr, look["hair"], 195, 345, 0.25, 4)
    if look.get("bow"):
        p.poly([(hr * 0.5, hy - hr * 0.9), (hr * 1.1, hy - hr * 1.25), (hr * 1.1, hy - hr * 0.55)],
               look["bow"])
        p.poly([(hr * 0.5, hy - hr * 0.9), (hr * -0.1, hy - hr * 1.25), (hr * -0.1, hy - hr * 0.55)],
               look["bow"])
    _face(p, hy, hr, skin, look.get("glasses", False))
    if look.get("hat"):
        p.ellipse(0, hy - hr * 0.55, hr * 1.55, hr * 0.28, look["hat"])
        p.chord(0, hy - hr * 0.6, hr * 0.95, hr * 0.85, 180, 360, look["hat"])
        p.line([(-hr * 0.93, hy - hr * 0.72), (hr * 0.93, hy - hr * 0.72)], RED, hr * 0.16)
    if mouth == "open":
        p.ellipse(0, hy + hr * 0.4, hr * 0.16, hr * 0.12, (150, 60, 70), outline=False)


def _make_person(name, height):
    @thing(name, height)
    def draw(p, pose="stand", **opts):
        look = dict(LOOKS[name])
        if "top" in opts:
            look["top"] = COLOURS.get(opts["top"], look["top"])
        if "hat" in opts:
            look["hat"] = COLOURS.get(opts["hat"], YELLOW)
        person(p, look, pose, opts.get("mouth", "smile"))
    return draw


for _n, _h in (("pip", 0.38), ("lulu", 0.38), ("mum", 0.52), ("lulumum", 0.52), ("dad", 0.55),
               ("grandma", 0.5)):
    _make_person(_n, _h)


# --------------------------------------------------------------- animals

@thing("biscuit", 0.24)
def dog(p, pose="stand", **opts):
    fur, dark = (236, 190, 125), (196, 140, 80)
    p.line([(-36, -44), (-46, -58), (-44, -70)], darker(fur, 0.15), 7)
    for u in (-28, -14, 10, 22):
        p.rrect(u - 5, -34, u + 5, -2, 4, fur if u in (-14, 22) else darker(fur, 0.08))
        p.ellipse(u + 1, -3, 7, 3.5, lighter(fur, 0.3))
    p.ellipse(-6, -40, 34, 19, fur)
    p.ellipse(-16, -45, 10, 8, dark, outline=False)
    p.rrect(14, -56, 22, -38, 3, RED)
    p.circle(30, -64, 21, fur)
    p.ellipse(18, -64, 8, 16, dark, angle=18)
    p.ellipse(44, -58, 11, 8.5, lighter(fur, 0.45))
    p.circle(53, -61, 4, INK, outline=False)
    p.ellipse(33, -70, 2.8, 3.5, INK, outline=False)
    p.circle(34, -71.5, 1, WHITE, outline=False)
    p.arc(44, -54, 5, 4, 20, 160, INK, 1.4)
    if pose == "happy":
        p.ellipse(45, -50, 4, 5, (240, 110, 120), outline=False)


@thing("kiki", 0.2)
def cat(p, **opts):
    fur = colour(opts, (190, 190, 205))
    p.arc(26, -30, 14, 20, 200, 360, darker(fur, 0.2), 7)
    p.ellipse(0, -27, 22, 27, fur)
    p.ellipse(0, -20, 12, 16, lighter(fur, 0.5), outline=False)
    for s in (-1, 1):
        p.poly([(s * 6, -80), (s * 18, -94), (s * 19, -70)], fur)
        p.poly([(s * 9, -81), (s * 16, -89), (s * 16, -76)], PINK, outline=False)
    p.circle(0, -66, 20, fur)
    for s in (-1, 1):
        p.ellipse(s * 7, -68, 2.6, 3.8, INK, outline=False)
        p.line([(s * 8, -60), (s * 24, -62)], INK, 0.8)
        p.line([(s * 8, -58), (s * 23, -55)], INK, 0.8)
    p.poly([(-2.5, -62), (2.5, -62), (0, -59)], PINK, outline=False)
    p.arc(-2, -58, 2, 2, 0, 180, INK, 1)
    p.arc(2, -58, 2, 2, 0, 180, INK, 1)
    for u in (-8, 8):
        p.ellipse(u, -3, 6, 4, lighter(fur, 0.3))


@thing("cow", 0.42)
def cow(p, **opts):
    hide = (252, 252, 250)
    p.line([(-44, -64), (-52, -40)], INK, 2)
    p.circle(-52, -38, 4, BLACK, outline=False)
    for u in (-34, -20, 16, 28):
        p.rrect(u - 5, -36, u + 5, -2, 3, hide)
        p.rrect(u - 5, -8, u + 5, -1, 2, BLACK)
    p.rrect(-46, -78, 36, -30, 18, hide)
    p.ellipse(-22, -62, 12, 9, BLACK, outline=False, angle=20)
    p.ellipse(10, -48, 9, 7, BLACK, outline=False)
    p.ellipse(-34, -44, 7, 6, BLACK, outline=False)
    p.ellipse(-2, -30, 9, 5, PINK)
    p.poly([(34, -92), (30, -102), (40, -95)], (240, 225, 190))
    p.poly([(50, -92), (54, -102), (46, -95)], (240, 225, 190))
    p.ellipse(26, -84, 9, 5, hide, angle=-25)
    p.rrect(30, -94, 58, -60, 12, hide)
    p.ellipse(44, -62, 16, 10, (250, 185, 185))
    for s in (-1, 1):
        p.circle(44 + s * 6, -62, 1.8, (180, 90, 100), outline=False)
    p.ellipse(38, -82, 2.5, 3.4, INK, outline=False)
    p.ellipse(50, -82, 2.5, 3.4, INK, outline=False)


@thing("pig", 0.26)
def pig(p, **opts):
    skin = (250, 175, 190)
    p.arc(-40, -50, 7, 7, 90, 400, darker(skin, 0.2), 3)
    for u in (-26, -12, 12, 24):
        p.rrect(u - 5, -22, u + 5, -1, 3, darker(skin, 0.05))
    p.ellipse(-4, -38, 38, 26, skin)
    for s in (-1, 1):
        p.poly([(26 + s * 9, -72), (26 + s * 14, -88), (26 + s * 2, -78)], darker(skin, 0.08))
    p.circle(30, -56, 20, skin)
    p.ellipse(44, -52, 9, 10, lighter(skin, 0.25))
    p.ellipse(42, -52, 2, 3, (190, 100, 120), outline=False)
    p.ellipse(47, -52, 2, 3, (190, 100, 120), outline=False)
    p.ellipse(30, -64, 2.5, 3.2, INK, outline=False)
    p.circle(22, -52, 4, CHEEK, outline=False)


@thing("sheep", 0.26)
def sheep(p, **opts):
    wool = (250, 250, 248)
    for u in (-22, -8, 10, 22):
        p.rrect(u - 4, -22, u + 4, -1, 3, BLACK)
    for u, v, r in ((-26, -44, 16), (-10, -56, 17), (8, -56, 16), (22, -44, 15),
                    (-14, -32, 16), (8, -32, 16), (0, -44, 18)):
        p.circle(u, v, r, wool)
    p.ellipse(36, -56, 12, 16, BLACK, angle=20)
    p.ellipse(26, -64, 8, 4, BLACK, angle=-30)
    p.circle(32, -68, 8, wool)
    p.circle(39, -58, 2.2, WHITE, outline=False)


@thing("hen", 0.16)
def hen(p, **opts):
    body = colour(opts, (252, 250, 245))
    p.poly([(-30, -52), (-44, -72), (-38, -46), (-46, -58), (-34, -40)], body)
    p.line([(-4, -18), (-4, -2), (-10, 0)], ORANGE, 3)
    p.line([(6, -18), (6, -2), (12, 0)], ORANGE, 3)
    p.ellipse(-6, -38, 30, 22, body)
    p.ellipse(-10, -40, 14, 9, darker(body, 0.08), angle=-10)
    p.circle(18, -64, 14, body)
    p.circle(14, -80, 5, RED)
    p.circle(21, -80, 5, RED)
    p.poly([(30, -66), (42, -62), (30, -59)], YELLOW)
    p.ellipse(28, -54, 3, 5, RED, outline=False)
    p.circle(22, -67, 2.2, INK, outline=False)


@thing("duck", 0.14)
def duck(p, swim=False, **opts):
    body = colour(opts, (255, 220, 80))
    if not swim:
        p.line([(-2, -16), (-2, -2)], ORANGE, 3)
        p.line([(6, -16), (6, -2)], ORANGE, 3)
        p.ellipse(2, -2, 7, 2.5, ORANGE)
    p.poly([(-34, -40), (-44, -52), (-30, -30)], body)
    p.ellipse(-4, -32, 32, 20, body)
    p.ellipse(-8, -36, 15, 9, darker(body, 0.1), angle=-8)
    p.circle(20, -60, 15, body)
    p.ellipse(38, -58, 10, 4.5, ORANGE)
    p.circle(24, -64, 2.4, INK, outline=False)


@thing("horse", 0.5)
def horse(p, **opts):
    coat, mane = (176, 110, 66), (90, 55, 40)
    p.line([(-42, -62), (-54, -46), (-52, -30)], mane, 8)
    for u in (-32, -18, 18, 30):
        p.rrect(u - 5, -40, u + 5, -3, 3, coat)
        p.rrect(u - 5, -7, u + 5, -1, 2, BLACK)
    p.ellipse(-2, -52, 42, 18, coat)
    p.poly([(22, -60), (36, -98), (50, -92), (38, -52)], coat)
    p.rrect(38, -102, 66, -84, 8, coat)
    p.ellipse(62, -90, 6, 7, darker(coat, 0.15))
    p.poly([(40, -104), (44, -114), (48, -102)], coat)
    p.line([(34, -100), (26, -72), (20, -58)], mane, 7)
    p.ellipse(48, -96, 2.4, 3, INK, outline=False)
    p.circle(64, -90, 1.4, INK, outline=False)


@thing("bird", 0.06)
def bird(p, **opts):
    c = colour(opts, (90, 160, 235))
    p.poly([(-18, -44), (-30, -52), (-28, -36)], darker(c, 0.15))
    p.ellipse(0, -40, 20, 16, c)
    p.circle(16, -54, 11, c)
    p.poly([(26, -56), (36, -52), (26, -50)], ORANGE)
    p.ellipse(-4, -42, 11, 7, lighter(c, 0.3), angle=-20)
    p.circle(19, -57, 2, INK, outline=False)


@thing("fish", 0.07)
def fish(p, **opts):
    c = colour(opts, ORANGE)
    p.poly([(-30, -50), (-48, -66), (-48, -34)], darker(c, 0.1))
    p.ellipse(0, -50, 34, 20, c)
    p.arc(-2, -50, 8, 18, 300, 60, WHITE, 4)
    p.arc(12, -50, 6, 15, 300, 60, WHITE, 3)
    p.circle(22, -54, 3.5, WHITE)
    p.circle(23, -54, 1.8, INK, outline=False)


@thing("crab", 0.07)
def crab(p, **opts):
    c = (236, 90, 70)
    for s in (-1, 1):
        for k in range(3):
            p.line([(s * 14, -20 + k * 4), (s * 30, -16 + k * 6), (s * 34, -4 + k * 2)], c, 3)
        p.line([(s * 18, -34), (s * 30, -52)], c, 4)
        p.pie(s * 32, -58, 10, 10, 200 if s < 0 else -20, 160 if s < 0 else 340, c)
        p.line([(s * 6, -38), (s * 8, -52)], c, 2.4)
        p.circle(s * 8, -54, 4, WHITE)
        p.circle(s * 8, -54, 2, INK, outline=False)
    p.ellipse(0, -26, 22, 15, c)
    p.arc(0, -24, 6, 4, 20, 160, INK, 1.4)


@thing("bee", 0.05)
def bee(p, **opts):
    p.ellipse(-4, -62, 12, 16, (220, 240, 255, 190), angle=-20)
    p.ellipse(8, -62, 12, 16, (220, 240, 255, 190), angle=20)
    p.ellipse(0, -40, 26, 18, YELLOW)
    for u in (-10, 2):
        p.rrect(u - 3, -56, u + 3, -24, 2, BLACK, outline=False)
    p.poly([(-26, -40), (-34, -38), (-26, -36)], BLACK)
    p.circle(16, -44, 2.5, INK, outline=False)


@thing("ant", 0.025)
def ant(p, **opts):
    for s in (-1, 1):
        for u in (-6, 0, 6):
            p.line([(u, -16), (u + s * 4, -4)], BLACK, 1.6)
    for u, r in ((-14, 8), (0, 6), (14, 8)):
        p.circle(u, -18, r, BLACK, outline=False)
    p.line([(18, -24), (24, -34)], BLACK, 1.4)


@thing("frog", 0.1)
def frog(p, **opts):
    g = (120, 200, 90)
    for s in (-1, 1):
        p.ellipse(s * 24, -8, 14, 8, darker(g, 0.08))
    p.ellipse(0, -26, 30, 24, g)
    p.ellipse(0, -18, 18, 12, lighter(g, 0.45), outline=False)
    for s in (-1, 1):
        p.circle(s * 14, -50, 10, g)
        p.circle(s * 14, -51, 6, WHITE, outline=False)
        p.circle(s * 14, -51, 3, INK, outline=False)
    p.arc(0, -34, 14, 8, 20, 160, INK, 1.6)


@thing("butterfly", 0.07)
def butterfly(p, **opts):
    c = colour(opts, (255, 150, 200))
    for s in (-1, 1):
        p.ellipse(s * 16, -62, 16, 20, c, angle=s * 20)
        p.ellipse(s * 14, -34, 12, 14, lighter(c, 0.25), angle=-s * 20)
        p.circle(s * 16, -62, 5, WHITE, outline=False)
    p.rrect(-3, -74, 3, -24, 3, BLACK)
    p.line([(0, -74), (-8, -90)], BLACK, 1.4)
    p.line([(0, -74), (8, -90)], BLACK, 1.4)


# ----------------------------------------------------------------- props

@thing("tree", 0.8)
def tree(p, **opts):
    leaf = colour(opts, GREEN)
    p.poly([(-7, 0), (-5, -50), (5, -50), (8, 0)], BROWN)
    for u, v, r in ((-18, -60, 20), (18, -60, 20), (0, -78, 22), (-10, -52, 16), (12, -50, 16)):
        p.circle(u, v, r, leaf)
    p.circle(-6, -74, 8, lighter(leaf, 0.25), outline=False)
    if opts.get("fruit"):
        for u, v in ((-18, -58), (12, -70), (20, -50), (-4, -86), (-8, -48)):
            p.circle(u, v, 3.2, RED)


@thing("bush", 0.12)
def bush(p, **opts):
    c = colour(opts, (100, 180, 90))
    for u, v, r in ((-24, -20, 20), (24, -20, 20), (0, -34, 26)):
        p.circle(u, v, r, c)
    p.rrect(-40, -16, 40, 0, 6, c)


@thing("flower", 0.07)
def flower(p, **opts):
    c = colour(opts, PINK)
    p.line([(0, 0), (0, -60)], (90, 160, 80), 5)
    p.ellipse(8, -30, 10, 5, (110, 185, 90), angle=-30)
    for i in range(6):
        a = math.radians(i * 60)
        p.circle(math.cos(a) * 14, -72 + math.sin(a) * 14, 10, c)
    p.circle(0, -72, 9, YELLOW)


@thing("house", 0.7)
def house(p, **opts):
    wall = colour(opts, (255, 236, 200))
    door = COLOURS.get(opts.get("door", "red"), RED)
    p.rrect(16, -96, 28, -66, 2, (200, 110, 90))
    p.rrect(-40, -62, 40, 0, 3, wall)
    p.poly([(-48, -58), (0, -98), (48, -58)], (222, 92, 74))
    p.rrect(-12, -34, 12, 0, 10, door)
    p.circle(6, -16, 1.8, YELLOW)
    for u in (-27, 27):
        p.rrect(u - 9, -44, u + 9, -24, 2, (190, 230, 250))
        p.line([(u, -44), (u, -24)], WHITE, 1.5)
        p.line([(u - 9, -34), (u + 9, -34)], WHITE, 1.5)
    p.circle(0, -72, 7, (190, 230, 250))


@thing("barn", 0.62)
def barn(p, **opts):
    red = (205, 70, 60)
    p.rrect(-46, -64, 46, 0, 2, red)
    p.poly([(-52, -60), (-30, -92), (30, -92), (52, -60)], (150, 60, 55))
    p.rrect(-18, -42, 18, 0, 2, (250, 240, 225))
    p.line([(-18, -42), (18, 0)], red, 3)
    p.line([(18, -42), (-18, 0)], red, 3)
    p.rrect(-9, -72, 9, -58, 2, (250, 240, 225))


@thing("fence", 0.12)
def fence(p, width=600, **opts):
    c = (250, 244, 230)
    k = p.k
    n = max(2, int(width / (28 * k)) + 1)
    span = width / k
    for i in range(n):
        u = -span / 2 + span * i / (n - 1)
        p.poly([(u - 5, 0), (u - 5, -80), (u, -90), (u + 5, -80), (u + 5, 0)], c)
    p.rrect(-span / 2, -66, span / 2, -58, 2, c)
    p.rrect(-span / 2, -30, span / 2, -22, 2, c)


@thing("kite", 0.22)
def kite(p, **opts):
    p.line([(0, -40), (-6, -20), (4, -6), (-2, 0)], INK, 1)
    for v, c in ((-24, RED), (-12, BLUE)):
        p.poly([(-6, v - 4), (6, v + 4), (6, v - 4), (-6, v + 4)], c, outline=False)
    p.poly([(0, -100), (26, -68), (0, -40), (-26, -68)], RED)
    p.poly([(0, -100), (26, -68), (0, -68)], YELLOW)
    p.poly([(0, -40), (-26, -68), (0, -68)], YELLOW)


@thing("ball", 0.08)
def ball(p, **opts):
    c = colour(opts, BLUE)
    p.circle(0, -50, 48, c)
    p.arc(0, -50, 24, 48, 270, 90, WHITE, 6)
    p.arc(0, -50, 48, 20, 180, 360, lighter(c, 0.4), 5)
    p.circle(-18, -72, 8, (255, 255, 255, 150), outline=False)


@thing("teddy", 0.16)
def teddy(p, **opts):
    fur = (180, 120, 75)
    for s in (-1, 1):
        p.ellipse(s * 18, -12, 12, 11, fur)
        p.ellipse(s * 26, -40, 9, 14, fur, angle=s * 30)
    p.ellipse(0, -30, 24, 26, fur)
    p.ellipse(0, -26, 14, 16, lighter(fur, 0.4), outline=False)
    for s in (-1, 1):
        p.circle(s * 16, -86, 9, fur)
        p.circle(s * 16, -86, 4.5, lighter(fur, 0.4), outline=False)
    p.circle(0, -68, 22, fur)
    p.ellipse(0, -60, 10, 8, lighter(fur, 0.45))
    p.circle(0, -63, 3, INK, outline=False)
    p.circle(-8, -72, 2.4, INK, outline=False)
    p.circle(8, -72, 2.4, INK, outline=False)
    p.poly([(-8, -46), (0, -42), (8, -46), (8, -38), (0, -42), (-8, -38)], RED)


@thing("car", 0.1)
def car(p, **opts):
    c = colour(opts, RED)
    p.rrect(-46, -44, 46, -12, 10, c)
    p.poly([(-26, -42), (-16, -70), (18, -70), (30, -42)], c)
    p.poly([(-18, -44), (-11, -63), (0, -63), (0, -44)], (190, 230, 250))
    p.poly([(5, -44), (5, -63), (14, -63), (22, -44)], (190, 230, 250))
    p.circle(40, -34, 4, YELLOW)
    for u in (-26, 26):
        p.circle(u, -12, 12, BLACK)
        p.circle(u, -12, 5, GREY, outline=False)


@thing("robot", 0.16)
def robot(p, **opts):
    m = (180, 190, 205)
    for s in (-1, 1):
        p.rrect(s * 10 - 6, -24, s * 10 + 6, 0, 3, darker(m, 0.1))
        p.rrect(s * 30 - 5, -60, s * 30 + 5, -30, 4, darker(m, 0.1))
    p.rrect(-24, -64, 24, -22, 6, m)
    p.circle(-8, -44, 4, RED)
    p.circle(6, -44, 4, YELLOW)
    p.rrect(-20, -96, 20, -66, 6, m)
    p.line([(0, -96), (0, -104)], INK, 2)
    p.circle(0, -106, 3.5, RED)
    p.circle(-8, -82, 5, (120, 220, 250))
    p.circle(8, -82, 5, (120, 220, 250))
    p.rrect(-8, -74, 8, -70, 1, INK, outline=False)


@thing("boat", 0.18)
def boat(p, **opts):
    sail = colour(opts, WHITE)
    p.line([(0, -30), (0, -100)], BROWN, 3)
    p.poly([(3, -98), (3, -34), (40, -34)], sail)
    p.poly([(-3, -88), (-3, -36), (-30, -36)], lighter(RED, 0.3))
    p.poly([(-46, -30), (46, -30), (34, 0), (-34, 0)], colour({"color": opts.get("hull", "blue")}, BLUE))
    p.line([(-40, -18), (40, -18)], WHITE, 3)


@thing("rainbow", 0.4)
def rainbow(p, **opts):
    cols = [RED, ORANGE, YELLOW, GREEN, BLUE, PURPLE]
    for i, c in enumerate(cols):
        r = 98 - i * 9
        p.arc(0, 0, r, r, 180, 360, c, 9)


@thing("blocks", 0.2)
def blocks(p, fall=False, **opts):
    cols = [RED, BLUE, YELLOW, GREEN, ORANGE, PURPLE]
    if fall:
        for i, (u, v, a) in enumerate(((-40, -12, 10), (-12, -12, -15), (18, -14, 30),
                                       (44, -12, 5), (-26, -36, 40), (8, -38, -25))):
            p.poly([(u + 17 * math.cos(math.radians(a + 45 + 90 * k)),
                     v + 17 * math.sin(math.radians(a + 45 + 90 * k))) for k in range(4)], cols[i])
        return
    for i in range(6):
        u = -12 if i % 2 == 0 else -8
        p.rrect(u - 5, -16 * (i + 1), u + 25, -16 * i, 2, cols[i])
        p.text(u + 10, -16 * i - 8, "ABCDEF"[i], 11, WHITE)


@thing("cookie", 0.05)
def cookie(p, **opts):
    p.circle(0, -50, 46, (220, 165, 100))
    for u, v in ((-18, -66), (14, -70), (0, -46), (-22, -36), (22, -40), (6, -24)):
        p.circle(u, v, 6, (110, 70, 50), outline=False)


@thing("basket", 0.1)
def basket(p, **opts):
    c = (210, 160, 95)
    p.arc(0, -52, 34, 40, 180, 360, darker(c, 0.2), 6)
    p.poly([(-46, -54), (46, -54), (36, 0), (-36, 0)], c)
    for v in (-40, -24, -10):
        p.line([(-42, v), (42, v)], darker(c, 0.15), 2)
    p.rrect(-48, -62, 48, -50, 4, (230, 80, 80))


@thing("apple", 0.05)
def apple(p, **opts):
    c = colour(opts, RED)
    p.line([(0, -84), (4, -98)], BROWN, 5)
    p.ellipse(14, -92, 12, 6, GREEN, angle=-25)
    p.circle(-16, -46, 38, c)
    p.circle(16, -46, 38, c, outline=False)
    p.arc(16, -46, 38, 38, 270, 90, INK, p.ow / p.k)
    p.ellipse(-18, -62, 8, 12, lighter(c, 0.45), outline=False, angle=20)


@thing("banana", 0.06)
def banana(p, **opts):
    c = (255, 220, 80)
    outer = [(math.cos(math.radians(a)) * 46, -70 + math.sin(math.radians(a)) * 62)
             for a in range(20, 161, 10)]
    inner = [(math.cos(math.radians(a)) * 40, -88 + math.sin(math.radians(a)) * 48)
             for a in range(160, 19, -10)]
    p.poly(outer + inner, c)
    p.line([outer[0], (outer[0][0] + 4, outer[0][1] - 8)], BROWN, 4)
    p.circle(outer[-1][0], outer[-1][1], 2.5, BROWN, outline=False)


@thing("sandwich", 0.05)
def sandwich(p, **opts):
    bread = (245, 215, 160)
    p.poly([(-48, -10), (48, -10), (0, -90)], bread)
    p.line([(-44, -28), (44, -28)], (120, 200, 90), 8)
    p.line([(-42, -40), (40, -40)], (250, 120, 110), 6)
    p.poly([(-48, -10), (48, -10), (0, -90)], None)


@thing("juice", 0.07)
def juice(p, **opts):
    p.line([(10, -90), (14, -110), (24, -114)], (240, 120, 160), 4)
    p.rrect(-24, -92, 24, 0, 5, ORANGE)
    p.rrect(-18, -70, 18, -28, 4, WHITE)
    p.circle(0, -50, 11, ORANGE)


@thing("cake", 0.1)
def cake(p, candles=0, **opts):
    p.ellipse(0, -4, 50, 8, (235, 235, 245))
    p.rrect(-40, -50, 40, -6, 8, (250, 190, 205))
    p.rrect(-40, -58, 40, -40, 8, WHITE)
    for u in (-28, -10, 8, 26):
        p.ellipse(u, -38, 6, 8, WHITE, outline=False)
    for i in range(int(candles)):
        u = (i - (int(candles) - 1) / 2) * 14
        p.rrect(u - 3, -80, u + 3, -58, 1, (120, 180, 240))
        p.ellipse(u, -88, 4, 7, YELLOW)
    if not candles:
        p.circle(0, -64, 7, RED)


@thing("bone", 0.04)
def bone(p, **opts):
    c = (250, 246, 232)
    for s in (-1, 1):
        p.circle(s * 40, -60, 11, c)
        p.circle(s * 40, -40, 11, c)
    p.rrect(-40, -58, 40, -42, 4, c)


@thing("bread", 0.06)
def bread(p, **opts):
    c = (230, 170, 100)
    p.rrect(-46, -60, 46, 0, 20, c)
    for u in (-20, 0, 20):
        p.line([(u - 6, -52), (u + 6, -38)], darker(c, 0.2), 3)


@thing("hat", 0.06)
def hat(p, **opts):
    c = colour(opts, YELLOW)
    p.ellipse(0, -20, 50, 14, c)
    p.chord(0, -22, 30, 36, 180, 360, c)
    p.line([(-29, -30), (29, -30)], RED, 7)


@thing("grapes", 0.06)
def grapes(p, **opts):
    c = (150, 90, 190)
    p.line([(0, -96), (6, -106)], BROWN, 4)
    p.ellipse(14, -96, 12, 6, GREEN, angle=-20)
    for row, n in enumerate((4, 3, 2, 1)):
        for i in range(n):
            p.circle((i - (n - 1) / 2) * 20, -80 + row * 20, 11, c)


@thing("cup", 0.06)
def cup(p, **opts):
    c = colour(opts, RED)
    p.arc(32, -44, 14, 16, 270, 90, c, 7)
    p.rrect(-32, -76, 32, 0, 10, c)
    p.ellipse(0, -74, 30, 6, (120, 70, 50))
    for u in (-10, 8):
        p.arc(u, -92, 4, 10, 90, 270, (200, 200, 210), 2.5)


@thing("umbrella", 0.3)
def umbrella(p, **opts):
    c = colour(opts, YELLOW)
    p.line([(0, -80), (0, -12)], BROWN, 3)
    p.arc(-6, -12, 6, 6, 0, 180, BROWN, 3)
    p.chord(0, -80, 48, 32, 180, 360, c)
    for u in (-16, 16):
        p.line([(u, -80), (u * 0.5, -110)], darker(c, 0.2), 1.4)


@thing("boots", 0.06)
def boots(p, **opts):
    c = colour(opts, RED)
    for u in (-24, 24):
        p.rrect(u - 16, -90, u + 8, -14, 6, c)
        p.rrect(u - 16, -26, u + 22, 0, 10, c)
        p.line([(u - 16, -76), (u + 8, -76)], lighter(c, 0.4), 4)


@thing("cloud", 0.12)
def cloud(p, **opts):
    c = colour(opts, WHITE)
    # the silhouette in ink, a line width larger, then the shapes on top: one outer outline
    for grow, fill in ((p.ow / p.k, INK), (0, c)):
        for u, v, r in ((-30, -30, 22), (0, -44, 30), (30, -30, 22)):
            p.circle(u, v, r + grow, fill, False)
        p.rrect(-50 - grow, -34 - grow, 50 + grow, -8 + grow, 13 + grow, fill, False)
    if opts.get("rain"):
        for u in (-30, -10, 10, 30):
            p.line([(u, 2), (u - 4, 14)], (100, 150, 230), 3)


@thing("snowman", 0.34)
def snowman(p, **opts):
    s = (252, 252, 255)
    p.line([(-16, -60), (-40, -72)], BROWN, 3)
    p.line([(16, -60), (40, -72)], BROWN, 3)
    p.circle(0, -24, 24, s)
    p.circle(0, -62, 18, s)
    p.circle(0, -88, 13, s)
    p.rrect(-15, -80, 15, -73, 3, RED)
    p.rrect(6, -80, 13, -58, 3, RED)
    p.poly([(0, -89), (18, -86), (0, -85)], ORANGE)
    p.circle(-5, -93, 1.8, INK, outline=False)
    p.circle(5, -93, 1.8, INK, outline=False)
    p.rrect(-12, -106, 12, -98, 2, BLACK)
    p.rrect(-8, -118, 8, -104, 2, BLACK)
    for v in (-66, -56, -30):
        p.circle(0, v, 2, INK, outline=False)


@thing("leaf", 0.05)
def leaf(p, **opts):
    c = colour(opts, ORANGE)
    p.ellipse(0, -50, 26, 46, c, angle=25)
    p.line([(-16, -12), (16, -88)], darker(c, 0.25), 2)
    p.line([(-22, 0), (-14, -14)], BROWN, 3)


@thing("scarf", 0.06)
def scarf(p, **opts):
    c = colour(opts, RED)
    p.rrect(-46, -90, 46, -66, 10, c)
    p.rrect(16, -80, 38, 0, 6, c)
    for u in (-30, -10, 10, 30):
        p.line([(u, -88), (u, -68)], WHITE, 3)
    for v in (-60, -40, -20):
        p.line([(18, v), (36, v)], WHITE, 3)


@thing("train", 0.18)
def train(p, **opts):
    p.rrect(-60, -70, -20, -12, 4, RED)
    p.rrect(-56, -64, -24, -42, 3, (190, 230, 250))
    p.rrect(-20, -50, 44, -12, 6, BLUE)
    p.rrect(30, -72, 42, -50, 2, BLACK)
    p.circle(36, -84, 8, (230, 230, 235))
    p.circle(48, -94, 10, (240, 240, 245))
    p.rrect(-66, -76, -14, -68, 2, darker(RED, 0.2))
    for u in (-44, -12, 24):
        p.circle(u, -12, 12, BLACK)
        p.circle(u, -12, 4, YELLOW, outline=False)


@thing("shell", 0.05)
def shell(p, **opts):
    c = (255, 200, 210)
    p.pie(0, -10, 48, 70, 200, 340, c)
    for a in (215, 240, 270, 300, 325):
        r = math.radians(a)
        p.line([(0, -10), (math.cos(r) * 42, -10 + math.sin(r) * 62)], darker(c, 0.18), 2)
    p.rrect(-14, -14, 14, 0, 4, c)


@thing("moon", 0.14)
def moon(p, sky=(50, 60, 120), **opts):
    p.circle(0, -50, 48, (255, 240, 170))
    p.circle(-14, -62, 8, (245, 225, 150), outline=False)
    p.circle(14, -36, 6, (245, 225, 150), outline=False)
    p.circle(-2, -50, 1.8, INK, outline=False)
    p.arc(0, -46, 14, 10, 20, 160, INK, 2)


def star_points(u, v, r, inner=0.45, n=5, rot=-90):
    pts = []
    for i in range(n * 2):
        a = math.radians(rot + i * 180 / n)
        rr = r if i % 2 == 0 else r * inner
        pts.append((u + math.cos(a) * rr, v + math.sin(a) * rr))
    return pts


@thing("star", 0.06)
def star(p, **opts):
    p.poly(star_points(0, -52, 50), colour(opts, YELLOW))
    if opts.get("face"):
        p.circle(-10, -54, 3, INK, outline=False)
        p.circle(10, -54, 3, INK, outline=False)
        p.arc(0, -48, 8, 6, 20, 160, INK, 2)


@thing("balloon", 0.16)
def balloon(p, **opts):
    c = colour(opts, RED)
    p.line([(0, 0), (-4, -20), (4, -40), (0, -52)], INK, 1)
    p.poly([(-5, -50), (5, -50), (0, -56)], c)
    p.ellipse(0, -80, 22, 28, c)
    p.ellipse(-8, -90, 5, 9, lighter(c, 0.5), outline=False, angle=20)


@thing("present", 0.08)
def present(p, **opts):
    c = colour(opts, BLUE)
    p.rrect(-40, -60, 40, 0, 4, c)
    p.rrect(-46, -74, 46, -58, 4, lighter(c, 0.15))
    p.rrect(-7, -74, 7, 0, 1, YELLOW)
    p.ellipse(-14, -82, 14, 8, YELLOW, angle=-20)
    p.ellipse(14, -82, 14, 8, YELLOW, angle=20)


@thing("candle", 0.06)
def candle(p, **opts):
    p.rrect(-12, -70, 12, 0, 4, (140, 190, 250))
    for v in (-56, -36, -16):
        p.line([(-12, v), (12, v - 8)], WHITE, 3)
    p.line([(0, -70), (0, -76)], INK, 2)
    p.ellipse(0, -88, 9, 14, ORANGE)
    p.ellipse(0, -84, 4, 7, YELLOW, outline=False)


@thing("icecream", 0.1)
def icecream(p, **opts):
    p.poly([(-22, -56), (22, -56), (0, 0)], (230, 180, 110))
    p.line([(-14, -40), (8, -20)], darker((230, 180, 110), 0.2), 2)
    p.line([(14, -40), (-8, -20)], darker((230, 180, 110), 0.2), 2)
    p.circle(0, -72, 22, colour(opts, PINK))
    p.circle(6, -98, 8, RED)


@thing("sandcastle", 0.16)
def sandcastle(p, **opts):
    s = (240, 210, 140)
    p.rrect(-46, -50, 46, 0, 3, s)
    for u in (-36, 36):
        p.rrect(u - 12, -78, u + 12, -40, 2, s)
        for k in (-8, 8):
            p.rrect(u + k - 4, -86, u + k + 4, -76, 1, s)
    p.rrect(-14, -90, 14, -48, 2, s)
    p.line([(0, -90), (0, -110)], BROWN, 2)
    p.poly([(0, -110), (18, -104), (0, -98)], RED)
    p.rrect(-8, -24, 8, 0, 8, darker(s, 0.25))


@thing("egg", 0.04)
def egg(p, **opts):
    p.ellipse(0, -46, 32, 44, colour(opts, (255, 245, 225)))


@thing("bed", 0.3)
def bed(p, night=False, **opts):
    wood = (190, 130, 85)
    p.rrect(-56, -70, -46, 0, 3, wood)
    p.rrect(46, -46, 56, 0, 3, wood)
    p.rrect(-50, -36, 52, -14, 4, wood)
    p.rrect(-48, -44, -14, -30, 8, WHITE)
    if opts.get("sleeper"):
        look = LOOKS[opts["sleeper"]]
        p.circle(-30, -48, 12, look["skin"])
        _hair_cap(p, -48, 12, look["hair"], 198, 342, 0.3, 2, cu=-30)
        for u in (-36, -26):
            p.arc(u, -49, 2.6, 2, 20, 160, INK, 0.9)
        p.circle(-22, -44, 2.2, CHEEK, outline=False)
    p.rrect(-24, -40, 52, -22, 6, colour(opts, (120, 170, 235)))
    for u in (-10, 10, 30):
        p.circle(u, -32, 3, WHITE, outline=False)


@thing("ladder", 0.5)
def ladder(p, **opts):
    c = (200, 150, 100)
    p.line([(-16, 0), (-8, -100)], c, 5)
    p.line([(16, 0), (24, -100)], c, 5)
    for i in range(1, 7):
        v = -i * 14
        p.line([(-16 + i * 1.1, v), (16 + i * 1.1, v)], c, 4)


@thing("blanket", 0.1)
def blanket(p, width=300, **opts):
    k = p.k
    span = width / k
    p.poly([(-span / 2, 0), (span / 2, 0), (span / 2 - 20, -40), (-span / 2 + 20, -40)], WHITE)
    n = 8
    for i in range(n):
        for j in range(3):
            if (i + j) % 2 == 0:
                t0, t1 = i / n, (i + 1) / n
                v0, v1 = -j * 40 / 3, -(j + 1) * 40 / 3

                def x_at(t, v):
                    half = span / 2 - 20 * (-v / 40)
                    return -half + 2 * half * t
                p.poly([(x_at(t0, v0), v0), (x_at(t1, v0), v0), (x_at(t1, v1), v1),
                        (x_at(t0, v1), v1)], (235, 85, 80), outline=False)
    p.poly([(-span / 2, 0), (span / 2, 0), (span / 2 - 20, -40), (-span / 2 + 20, -40)], None)


@thing("waves", 0.1)
def waves(p, width=640, **opts):
    """Sea water in front of swimmers: a band with a wavy top."""
    span = width / p.k
    sea = (90, 170, 230)
    top = []
    n = 24
    for i in range(n + 1):
        u = -span / 2 + span * i / n
        top.append((u, -80 - 8 * math.sin(i * math.pi / 2)))
    p.poly(top + [(span / 2, 0), (-span / 2, 0)], sea, outline=False)
    for i in range(6):
        u = -span / 2 + span * (i + 0.5) / 6
        p.arc(u, -60 + (i % 2) * 24, 14, 5, 200, 340, (200, 235, 255), 3)


@thing("pie", 0.06)
def pie(p, **opts):
    p.ellipse(0, -20, 48, 16, (225, 170, 100))
    p.chord(0, -24, 44, 30, 180, 360, (235, 185, 115))
    for u in (-20, 0, 20):
        p.line([(u - 6, -42), (u + 6, -30)], darker((235, 185, 115), 0.2), 2)


@thing("sun", 0.16)
def sun(p, **opts):
    for i in range(12):
        a = math.radians(i * 30)
        p.line([(math.cos(a) * 36, -50 + math.sin(a) * 36),
                (math.cos(a) * 48, -50 + math.sin(a) * 48)], (255, 190, 60), 5)
    p.circle(0, -50, 30, SUN)
    if opts.get("face", True):
        p.circle(-10, -54, 2.5, INK, outline=False)
        p.circle(10, -54, 2.5, INK, outline=False)
        p.arc(0, -46, 10, 8, 20, 160, INK, 2)
        p.circle(-17, -44, 4, CHEEK, outline=False)
        p.circle(17, -44, 4, CHEEK, outline=False)


@thing("pond", 0.1)
def pond(p, **opts):
    water = (150, 105, 70) if opts.get("color") == "brown" else (120, 190, 235)
    p.ellipse(0, -20, 100, 22, water)
    p.ellipse(-30, -24, 30, 5, lighter(water, 0.4), outline=False)
    for u in (-70, 76):
        p.line([(u, -26), (u - 4, -60)], (90, 150, 80), 3)
        p.ellipse(u - 4, -62, 3, 8, BROWN, outline=False)


@thing("table", 0.3)
def table(p, **opts):
    """Kitchen table; its top is at the full height, so things put on it stand at y - h."""
    c = colour(opts, (205, 150, 100))
    p.rrect(-80, -92, -70, 0, 2, darker(c, 0.1))
    p.rrect(70, -92, 80, 0, 2, darker(c, 0.1))
    p.rrect(-96, -100, 96, -86, 4, c)
    p.rrect(-90, -86, 90, -80, 2, darker(c, 0.15), outline=False)


@thing("toybox", 0.2)
def toybox(p, **opts):
    c = (120, 180, 230)
    p.rrect(-46, -60, 46, 0, 5, c)
    p.poly([(-46, -60), (46, -60), (52, -96), (-40, -100)], lighter(c, 0.2))
    for u, col in ((-24, RED), (0, YELLOW), (24, GREEN)):
        p.poly(star_points(u, -30, 10), col)


@thing("snowball", 0.03)
def snowball(p, **opts):
    p.circle(0, -50, 48, (250, 252, 255))


@thing("toothbrush", 0.05)
def toothbrush(p, **opts):
    p.rrect(-6, -100, 6, 0, 5, (120, 190, 240))
    p.rrect(-8, -100, 8, -76, 3, WHITE)


@thing("window", 0.3)
def window_thing(p, night=False, **opts):
    glass = (40, 50, 110) if night else (190, 230, 250)
    p.rrect(-46, -100, 46, 0, 4, (250, 244, 230))
    p.rrect(-40, -94, 40, -6, 2, glass)
    p.line([(0, -94), (0, -6)], (250, 244, 230), 5)
    p.line([(-40, -50), (40, -50)], (250, 244, 230), 5)
    if night:
        p.circle(20, -76, 9, (255, 240, 170), outline=False)
        for u, v in ((-24, -80), (-14, -30), (22, -26)):
            p.poly(star_points(u, v, 5), YELLOW, outline=False)
    else:
        p.circle(-20, -76, 8, SUN, outline=False)


def draw_thing(canvas, name, x, y, height, flip=False, **opts):
    fn, _ = THINGS[name]
    pen = Pen(canvas, x, y, height, flip)
    fn(pen, **opts)


# ----------------------------------------------------------- backgrounds

def _hills(c, horizon, col, col2):
    c.ellipse(120, horizon + 30, 260, 90, col2)
    c.ellipse(540, horizon + 40, 300, 100, col2)
    c.rect(0, horizon + 20, c.w, c.h, col)
    c.ellipse(340, horizon + 60, 420, 80, col)


def _sky(c, horizon, top=SKY, low=SKY_LOW):
    c.vgradient(0, 0, c.w, horizon + 40, top, low)


def _clouds(c, sky_top, horizon, n=3, col=WHITE):
    spots = [(110, 0.3), (430, 0.12), (300, 0.5), (560, 0.55)]
    for x, f in spots[:n]:
        draw_thing(c, "cloud", x, sky_top + 70 + (horizon - sky_top - 140) * f, 70, color=col)


def bg_outdoor(c, horizon, opts, sky_top=0):
    sky = opts.get("sky", "day")
    if sky == "night":
        _sky(c, horizon, (30, 40, 100), (80, 80, 150))
        for i in range(26):
            x = (i * 97) % 620 + 10
            y = (i * 53) % max(60, int(horizon - 40)) + 20
            c.poly(star_points(x, y, 3 + (i % 3), 0.45), (255, 240, 170))
    elif sky == "sunset":
        _sky(c, horizon, (250, 160, 170), (255, 215, 150))
    elif sky == "grey":
        _sky(c, horizon, (160, 170, 185), (205, 210, 220))
    elif sky == "snow":
        _sky(c, horizon, (190, 210, 235), (235, 242, 252))
    else:
        _sky(c, horizon)
    ground = {"grass": (GRASS, GRASS_DARK), "autumn": ((220, 190, 110), (200, 165, 90)),
              "snow": ((250, 252, 255), (225, 235, 248)), "farm": ((150, 205, 100), (185, 215, 120)),
              "sand": ((245, 222, 160), (238, 210, 140))}[opts.get("ground", "grass")]
    if sky == "night":
        ground = (mix(ground[0], (30, 40, 90), 0.55), mix(ground[1], (30, 40, 90), 0.55))
    if opts.get("ground") == "sand":
        c.rect(0, horizon - 40, c.w, horizon + 30, (90, 170, 230))
        for i in range(8):
            c.arc(40 + i * 80, horizon - 10, 30, 8, 200, 340, (200, 235, 255), 3)
        c.rect(0, horizon + 20, c.w, c.h, ground[0])
        c.ellipse(320, horizon + 26, 420, 20, (235, 215, 150))
    else:
        _hills(c, horizon, ground[0], ground[1])
    if sky not in ("night", "grey") and opts.get("sun", "yes") != "no":
        draw_thing(c, "sun", 560, sky_top + 130, 110)
    if sky in ("day", "snow"):
        _clouds(c, sky_top, horizon, 2)
    if sky == "grey":
        _clouds(c, sky_top, horizon, 4, (225, 228, 236))
    if opts.get("weather") == "rain":
        for i in range(70):
            x = (i * 89) % 640
            y = (i * 137) % int(c.h - 120)
            c.line([(x, y), (x - 4, y + 16)], (110, 150, 220), 2.2)
    if opts.get("weather") == "snow":
        for i in range(60):
            x = (i * 83) % 640
            y = (i * 151) % int(c.h - 120)
            c.circle(x, y, 3 + i % 3, WHITE, outline=(200, 210, 230), width=1)
    if opts.get("weather") == "wind":
        for i in range(5):
            y = 180 + i * 70
            c.arc(120 + (i * 130) % 400, y, 60, 14, 200, 340, WHITE, 3)
    if opts.get("weather") == "leaves":
        for i in range(14):
            draw_thing(c, "leaf", (i * 97) % 600 + 20, (i * 61) % int(horizon) + 60, 26,
                       color=(RED, ORANGE, YELLOW)[i % 3])
    if opts.get("flowers", "yes") != "no" and opts.get("ground", "grass") in ("grass", "farm"):
        for i in range(9):
            x = (i * 71 + 30) % 620 + 10
            y = horizon + 60 + (i * 37) % 90
            if sky != "night":
                draw_thing(c, "flower", x, y, 36, color=(PINK, YELLOW, WHITE, PURPLE)[i % 4])


def _wall(c, col, stripe, floor, horizon):
    c.rect(0, 0, c.w, horizon, col)
    for x in range(0, c.w, 56):
        c.rect(x, 0, x + 20, horizon, stripe)
    c.rect(0, horizon, c.w, c.h, floor)
    c.rect(0, horizon - 10, c.w, horizon + 4, lighter(floor, 0.2))
    for y in range(int(horizon + 50), c.h, 60):
        c.line([(0, y), (c.w, y)], darker(floor, 0.08), 2)


def bg_indoor(c, horizon, opts, wall_top=0):
    """wall_top: highest point of the wall that the text panel leaves visible;
    windows and shelves that would not fit below it are left out."""
    room = opts.get("room", "kitchen")
    night = opts.get("sky") == "night"

    def fits(top):
        return top >= wall_top + 8
    if room == "kitchen":
        _wall(c, (255, 240, 210), (255, 232, 196), (200, 160, 120), horizon)
        if fits(horizon - 320):
            draw_thing(c, "window", 470, horizon - 150, 170, night=night)
        # a shelf with three jars
        if fits(horizon - 262):
            c.rrect(40, horizon - 196, 250, horizon - 184, 3, (190, 130, 85), INK, 2)
        for i, col in enumerate(((250, 200, 90), (240, 120, 110), (150, 200, 120))):
            if not fits(horizon - 262):
                break
            x = 62 + i * 64
            c.rrect(x, horizon - 250, x + 44, horizon - 196, 8, lighter(col, 0.3), INK, 2)
            c.rrect(x - 2, horizon - 262, x + 46, horizon - 248, 4, col, INK, 2)
    elif room == "bedroom":
        wall = (70, 80, 140) if night else (210, 230, 250)
        _wall(c, wall, mix(wall, WHITE, 0.15), (190, 150, 120), horizon)
        if fits(horizon - 350):
            draw_thing(c, "window", 480, horizon - 170, 180, night=night)
        c.ellipse(320, horizon + 120, 220, 40, (250, 200, 120) if not night else (150, 120, 110))
        if night:
            c.rect(0, 0, c.w, c.h, (20, 20, 70, 70))
    elif room == "living":
        _wall(c, (250, 225, 235), (250, 215, 228), (180, 140, 110), horizon)
        if fits(horizon - 340):
            draw_thing(c, "window", 120, horizon - 170, 170, night=night)
        c.ellipse(320, horizon + 140, 240, 50, (160, 200, 240))
    elif room == "party":
        _wall(c, (255, 240, 200), (255, 230, 185), (200, 160, 120), horizon)
        for i in range(11):
            x = i * 64
            c.poly([(x, 40), (x + 60, 40), (x + 30, 90)], (RED, YELLOW, BLUE, GREEN)[i % 4], INK, 1.5)
        c.line([(0, 40), (640, 40)], INK, 2)
    elif room == "train":
        _wall(c, (240, 200, 150), (235, 190, 140), (150, 110, 90), horizon)
        for x in (60, 360):
            c.rrect(x, 110, x + 220, 300, 20, (180, 230, 250), INK, 3)
            c.ellipse(x + 110, 290, 140, 40, GRASS)
            draw_thing(c, "tree", x + 60, 290, 120)
            draw_thing(c, "cow" if x == 360 else "sheep", x + 150, 292, 60)


BACKGROUNDS = {"outdoor": bg_outdoor, "indoor": bg_indoor}


def bg_plain(c, opts):
    base = COLOURS.get(opts.get("tint", "yellow"), YELLOW)
    top = lighter(base, 0.75)
    c.vgradient(0, 0, c.w, c.h, top, lighter(base, 0.5))
    for i in range(40):
        x = (i * 113) % 640
        y = (i * 71) % 960
        c.circle(x, y, 6 + (i % 4) * 3, lighter(base, 0.35))


@thing("drop", 0.05)
def drop(p, **opts):
    c = colour(opts, (110, 170, 240))
    p.poly([(0, -100)] + [(math.cos(math.radians(a)) * 30, -34 + math.sin(math.radians(a)) * 32)
                          for a in range(-30, 211, 15)], c)
    p.ellipse(-10, -38, 5, 10, lighter(c, 0.5), outline=False, angle=20)


@thing("paint", 0.1)
def paint(p, **opts):
    """A splash of paint, for the colour words."""
    c = colour(opts, RED)
    for i in range(8):
        a = math.radians(i * 45 + 10)
        p.circle(math.cos(a) * 36, -50 + math.sin(a) * 36, 12 + (i % 3) * 3, c, outline=False)
    p.circle(0, -50, 40, c, outline=False)
    for i in range(8):
        a = math.radians(i * 45 + 30)
        p.circle(math.cos(a) * 58, -50 + math.sin(a) * 58, 4 + i % 2 * 2, c, outline=False)
    p.circle(-14, -64, 8, lighter(c, 0.45), outline=False)
