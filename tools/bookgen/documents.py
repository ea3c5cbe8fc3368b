"""UI documents of the pages and of the settings screen.

Design coordinates: 640 x 960, y up, origin bottom-left.  Local image paths
in a document are relative to the document's own folder, hence "../Images".

Two key sets are written.  The newer one ("version" 0.2.5.0 and later)
names images with {"resourceType", "path"} objects: type 0 a file, type 1
a frame of a sprite sheet listed under "textures".  The older one (no
version, or below 0.2.5.0) names images with plain strings, and the
widget's "useMergedTexture" says whether they are sheet frames or files.
"""

import names

W, H = 640, 960
CENTRE = (320, 480)
IMG = "../Images/"
HOTSPOT = (80, 40)          # size of Images/bnren1.png
CAST_SHEET = IMG + "cast.plist"
WORDS_SHEET = IMG + "words.plist"
WORDS_SHEET_PAGES = range(86, 91)
BANNER_INSETS = (24, 24, 48, 16)
TITLE_INK = (95, 50, 140)
HINT_INK = (120, 95, 115)
HINT_SIZE = 20
# Between the bottom row of cards and the page layer's items.
WORDS_HINT = (320, 125)
TEXT_ON_BUTTONS = (25, 24, 25)


def schema_of(page):
    """(version or None, older key set?).  Most pages use the newer keys;
    every fifth page the older ones, half of those with no version at all."""
    if page % 5 == 0:
        return (None, True) if page % 10 == 5 else ("0.2.4.0", True)
    return ("1.0.0.0", False) if page % 3 == 0 else ("0.2.5.0", False)


def picture_as_image_view(page):
    """Some pages show their illustration through an image view instead of
    the root panel's background image."""
    return page % 4 == 1


def r4(v):
    v = round(float(v), 4)
    return int(v) if v == int(v) else v


def node(classname, options, children=()):
    return {"classname": classname, "options": options, "children": list(children)}


class Refs:
    """Writes image references in the key set of one document."""

    def __init__(self, older):
        self.older = older

    def file(self, opts, key, path):
        if self.older:
            opts[key] = path
        else:
            opts[key + "Data"] = {"resourceType": 0, "path": path}

    def frame(self, opts, key, name):
        if self.older:
            opts[key] = name
        else:
            opts[key + "Data"] = {"resourceType": 1, "path": name}

    def images(self, opts, keys, values, merged):
        """Set several images of one widget; the older key set has one
        useMergedTexture switch for all of them."""
        for key, value in zip(keys, values):
            if merged:
                self.frame(opts, key, value)
            else:
                self.file(opts, key, value)
        if self.older:
            opts["useMergedTexture"] = merged


def base(name, x, y, tag=-1, actiontag=0, z=0, touch=False, anchor=(0.5, 0.5)):
    return {
        "name": name, "tag": tag, "actiontag": actiontag, "touchAble": touch,
        "x": r4(x), "y": r4(y), "ZOrder": z,
        "anchorPointX": anchor[0], "anchorPointY": anchor[1],
    }


def panel(name, x, y, w, h, refs, background=None, colour=None, z=0, tag=-1):
    opts = base(name, x, y, tag=tag, z=z, anchor=(0, 0))
    opts.update({"width": w, "height": h, "clipAble": False, "backGroundScale9Enable": False})
    if colour:
        opts.update({"colorType": 1, "bgColorR": colour[0], "bgColorG": colour[1],
                     "bgColorB": colour[2], "bgColorOpacity": 255})
    else:
        opts.update({"colorType": 0, "bgColorOpacity": 0})
    if background:
        refs.images(opts, ["backGroundImage"], [background], merged=False)
    elif refs.older:
        opts["useMergedTexture"] = False
    return opts


def image_view(name, x, y, refs, path, merged, anchor=(0.5, 0.5), scale=1.0, actiontag=0, z=0):
    opts = base(name, x, y, actiontag=actiontag, z=z, anchor=anchor)
    if scale != 1.0:
        opts["scaleX"] = r4(scale)
        opts["scaleY"] = r4(scale)
    opts["scale9Enable"] = False
    refs.images(opts, ["fileName"], [path], merged)
    return node("ImageView", opts)


def label(name, x, y, text, size, colour, z=3, anchor=(0.5, 0.5)):
    opts = base(name, x, y, z=z, anchor=anchor)
    opts.update({"ignoreSize": True, "touchScaleEnable": False, "text": text,
                 "fontName": "Arial", "fontSize": size,
                 "colorR": colour[0], "colorG": colour[1], "colorB": colour[2]})
    return node("Label", opts)


def text_area(name, x, y, text, size, colour, area, halign, anchor, z=3):
    opts = base(name, x, y, z=z, anchor=anchor)
    opts.update({"text": text, "fontName": "Arial", "fontSize": size,
                 "colorR": colour[0], "colorG": colour[1], "colorB": colour[2],
                 "areaWidth": area[0], "areaHeight": area[1],
                 "hAlignment": halign, "vAlignment": 1})
    return node("TextArea", opts)


def nine_slice(opts, insets, size):
    opts.update({"scale9Enable": True,
                 "capInsetsX": insets[0], "capInsetsY": insets[1],
                 "capInsetsWidth": insets[2], "capInsetsHeight": insets[3],
                 "scale9Width": size[0], "scale9Height": size[1],
                 "width": size[0], "height": size[1]})


def text_button(name, x, y, refs, images, merged, insets, size, text, font_size, colour,
                tag=-1, touch=True, anchor=(0.5, 0.5), z=3):
    opts = base(name, x, y, tag=tag, z=z, touch=touch, anchor=anchor)
    nine_slice(opts, insets, size)
    refs.images(opts, ["normal", "pressed", "disabled"], images, merged)
    opts.update({"text": text, "fontName": "Arial", "fontSize": font_size,
                 "textColorR": colour[0], "textColorG": colour[1], "textColorB": colour[2]})
    return node("TextButton", opts)


# ------------------------------------------------------------ sentences

def sentence_button(page, index, box, refs):
    """A hotspot over the sentence's text box (image coordinates, y down),
    placed relative to the screen centre, where its parent panel sits."""
    x0, y0, x1, y1 = box
    cx, cy = (x0 + x1) / 2, H - (y0 + y1) / 2
    key = names.sentence_key(page, index)
    opts = base(names.button_name(page, index), cx - CENTRE[0], cy - CENTRE[1],
                tag=key, actiontag=key, z=1, touch=True)
    opts["scaleX"] = r4((x1 - x0) / HOTSPOT[0])
    opts["scaleY"] = r4((y1 - y0) / HOTSPOT[1])
    opts["scale9Enable"] = False
    refs.images(opts, ["normal", "pressed", "disabled"],
                [IMG + "bnren1.png", IMG + "bnren2.png", ""], merged=False)
    opts["opacity"] = 255
    return node("Button", opts)


CARD_COLUMNS = (-140, 140)
CARD_ROWS = (230, 0, -230)


def card_images(page, word):
    """(images, merged) for a word card on the given page."""
    if page in WORDS_SHEET_PAGES:
        return ["w_%s.png" % word, "w_%s_on.png" % word, ""], True
    return [IMG + "words/%s.png" % word, IMG + "words/%s_on.png" % word, ""], False


def card_button(page, index, word, refs):
    col = CARD_COLUMNS[(index - 1) % 2]
    row = CARD_ROWS[(index - 1) // 2]
    key = names.sentence_key(page, index)
    opts = base(names.button_name(page, index), col, row, tag=key, actiontag=key, z=1,
                touch=True)
    opts["scale9Enable"] = False
    images, merged = card_images(page, word)
    refs.images(opts, ["normal", "pressed", "disabled"], images, merged)
    opts["opacity"] = 255
    return node("Button", opts)


def card_position(index):
    """Centre of card `index` in design coordinates."""
    return (CENTRE[0] + CARD_COLUMNS[(index - 1) % 2], CENTRE[1] + CARD_ROWS[(index - 1) // 2])


# ------------------------------------------------------------ animation

def _anim_frames(kind, x, y, s):
    """Key frames of the little loops on opener and closing pages."""
    P = lambda f, px, py: {"frameid": f, "positionx": r4(px), "positiony": r4(py)}
    S = lambda f, k: {"frameid": f, "scalex": r4(s * k), "scaley": r4(s * k)}
    R = lambda f, a: {"frameid": f, "rotation": a}
    O = lambda f, o: {"frameid": f, "opacity": o}
    C = lambda f, r, g, b: {"frameid": f, "colorr": r, "colorg": g, "colorb": b}
    if kind == "hop":
        return [P(0, x, y), P(4, x, y + 24), P(8, x, y), P(20, x, y),
                {"frameid": 0, "scalex": r4(s), "scaley": r4(s)},
                {"frameid": 8, "scalex": r4(s * 1.04), "scaley": r4(s * 0.96)},
                {"frameid": 12, "scalex": r4(s), "scaley": r4(s)}]
    if kind == "flutter":
        return [P(0, x, y), R(0, 0), P(10, x - 60, y + 30), R(10, -15),
                P(20, x - 120, y - 10), R(20, 10), P(30, x, y), R(30, 0)]
    if kind == "twinkle":
        return [{**S(0, 1.0), **O(0, 255), **C(0, 255, 255, 255)},
                {**S(6, 1.25), **O(6, 170), **C(6, 255, 236, 140)},
                {**S(12, 1.0), **O(12, 255), **C(12, 255, 255, 255)}]
    if kind == "buzz":
        return [P(0, x, y), R(0, 0), P(5, x - 50, y + 30), R(5, -20), P(10, x - 100, y),
                R(10, 0), P(15, x - 50, y - 30), R(15, 20), P(20, x, y), R(20, 0)]
    if kind == "spin":
        return [R(0, 0), R(30, 180), R(60, 360)]
    if kind == "drift":
        return [P(0, x, y), P(40, x + 60, y), P(80, x, y)]
    if kind == "fall":
        return [{**P(0, x, y), **O(0, 255)}, {**P(15, x, y - 220), **O(15, 0)}]
    if kind == "scuttle":
        return [P(0, x, y), P(12, x + 80, y), P(24, x, y)]
    if kind == "rise":
        return [{**P(0, x, y), **O(0, 255)}, {**P(20, x, y + 60), **O(20, 200)},
                {**P(40, x, y), **O(40, 255)}]
    if kind == "glow":
        return [{**S(0, 1.0), **C(0, 255, 255, 255)},
                {**S(20, 1.08), **C(20, 255, 226, 150)},
                {**S(40, 1.0), **C(40, 255, 255, 255)}]
    raise ValueError("unknown animation %s" % kind)


def animation_section(page, nodes):
    if not nodes:
        return {"actionlist": []}
    return {"actionlist": [{
        "name": "page%d" % page, "loop": True, "unittime": 0.1,
        "actionnodelist": [{"ActionTag": tag, "actionframelist": frames}
                           for tag, frames in nodes],
    }]}


# ------------------------------------------------------------ documents

def page_document(page, tl):
    """The UI document of one story page.  tl is its pages.TextLayout."""
    n = page.number
    version, older = schema_of(n)
    refs = Refs(older)
    picture = IMG + "pages/p%03d.jpg" % n
    as_view = picture_as_image_view(n)
    root_opts = panel("page%d" % n, 0, 0, W, H, refs,
                      background=None if as_view else picture,
                      colour=(255, 250, 238) if as_view else None, tag=n)
    children = []
    textures = []
    if as_view:
        children.append(image_view("picture", 0, 0, refs, picture, False, anchor=(0, 0)))

    anims = []
    for k, sp in enumerate(page.sprites, 1):
        tag = 9000 + k
        children.append(image_view("sprite%d_%s" % (k, sp.frame.split(".")[0]), sp.x, sp.y,
                                   refs, sp.frame + ".png", True, anchor=sp.anchor,
                                   scale=sp.scale, actiontag=tag, z=1))
        if sp.anim:
            anims.append((tag, _anim_frames(sp.anim, sp.x, sp.y, sp.scale)))
    if page.sprites or page.opener:
        textures.append(CAST_SHEET)

    if page.opener:
        if older:
            images, merged = [IMG + "banner.png"] * 3, False
        else:
            images, merged = ["banner_plate.png"] * 3, True
        children.append(text_button("unitbanner", 320, 892, refs, images, merged, BANNER_INSETS,
                                    (300, 72), page.unit_label, 38, (150, 70, 30), touch=False))
        children.append(label("title", 320, 815, page.unit_title, 46, TITLE_INK))

    sentences = []
    if page.is_words:
        children.append(label("title", 320, 885, page.words_title, 40, TITLE_INK))
        for index, word in enumerate(page.words, 1):
            sentences.append(card_button(n, index, word, refs))
        if n in WORDS_SHEET_PAGES:
            textures.append(WORDS_SHEET)
    else:
        for index, _ in page.sentences:
            sentences.append(sentence_button(n, index, tl.boxes[index], refs))

    if page.hint:
        # The reader's own start caption would sit on its previous and next items, so the book
        # leaves it empty and tells the reader what to do here, where nothing is covered.
        x, y = (tl.hint[0], H - tl.hint[1]) if tl.hint else WORDS_HINT
        children.append(label("hint", x, y, page.hint, HINT_SIZE, HINT_INK))

    holder = panel("sentences", CENTRE[0], CENTRE[1], 0, 0, refs, z=2)
    children.append(node("Panel", holder, sentences))
    children.append(text_area("pagenumber", 620, 946, str(n), 20, (120, 95, 115), (60, 26), 2,
                              (1, 1)))

    doc = {}
    if version:
        doc["version"] = version
    doc["designWidth"] = W
    doc["designHeight"] = H
    doc["textures"] = textures
    doc["widgetTree"] = node("Panel", root_opts, children)
    if anims or not older:
        doc["animation"] = animation_section(n, anims)
    return doc


SETTINGS = [
    # name, x, y, size, title, anchor
    ("bnmain", 20, 940, (150, 64), "Home", (0, 1)),
    ("bnpres", 320, 640, (440, 84), "Read by touch", (0.5, 0.5)),
    ("bnaotopage", 320, 530, (440, 84), "Read this page again", (0.5, 0.5)),
    ("bnaoto", 320, 420, (440, 84), "Read the whole book", (0.5, 0.5)),
    ("bnok", 210, 290, (190, 80), "OK", (0.5, 0.5)),
    ("bncancel", 430, 290, (190, 80), "Cancel", (0.5, 0.5)),
]
SETTING_INSETS = (24, 24, 72, 24)


def settings_document():
    refs = Refs(False)
    root = panel("settings", 0, 0, W, H, refs, colour=(255, 246, 225))
    children = [image_view("backdrop", 0, 0, refs, IMG + "settings_bg.jpg", False, anchor=(0, 0))]
    children.append(label("title", 396, 875, "Settings", 48, TITLE_INK))
    children.append(text_area("question", 320, 740, "How shall we read?", 30, (70, 46, 84),
                              (440, 40), 1, (0.5, 0.5)))
    images = [IMG + "set_normal.png", IMG + "set_pressed.png", IMG + "set_selected.png"]
    for tag, (name, x, y, size, title, anchor) in enumerate(SETTINGS, 1):
        children.append(text_button(name, x, y, refs, images, False, SETTING_INSETS, size, title,
                                    30 if len(title) > 6 else 32, TEXT_ON_BUTTONS, tag=tag,
                                    anchor=anchor))
    return {"version": "1.0.0.0", "designWidth": W, "designHeight": H, "textures": [],
            "widgetTree": node("Panel", root, children), "animation": {"actionlist": []}}
