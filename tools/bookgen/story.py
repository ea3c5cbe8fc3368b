"""Reads story.txt into Page records (the format is described at its top)."""

import re
from dataclasses import dataclass, field


class StoryError(Exception):
    pass


@dataclass
class Put:
    name: str
    x: float
    y: float = 0.92
    h: float = None
    flip: bool = False
    opts: dict = field(default_factory=dict)


@dataclass
class Sprite:
    frame: str
    x: float
    y: float
    scale: float = 1.0
    anchor: tuple = (0.5, 0.5)
    anim: str = None


@dataclass
class Page:
    number: int
    unit_label: str = ""
    unit_title: str = ""
    opener: bool = False
    scene: str = "outdoor"
    scene_opts: dict = field(default_factory=dict)
    text_pos: str = "bottom"
    text_small: bool = False
    puts: list = field(default_factory=list)
    sprites: list = field(default_factory=list)
    words_title: str = ""
    words: list = field(default_factory=list)
    sentences: list = field(default_factory=list)   # (index, text)
    hint: str = ""

    @property
    def is_words(self):
        return bool(self.words)


def _value(v):
    try:
        return int(v)
    except ValueError:
        pass
    try:
        return float(v)
    except ValueError:
        return v


def _keyvals(tokens):
    out, flags = {}, []
    for t in tokens:
        if "=" in t:
            k, v = t.split("=", 1)
            out[k] = _value(v)
        else:
            flags.append(t)
    return out, flags


def parse(text):
    pages = []
    page = None
    unit = ("", "")
    for lineno, raw in enumerate(text.splitlines(), 1):
        line = raw.strip()
        if not line or line.startswith("#"):
            continue
        word, _, rest = line.partition(" ")
        rest = rest.strip()
        where = "story line %d" % lineno

        if word == "unit":
            label, _, title = rest.partition("|")
            unit = (label.strip(), title.strip())
            continue
        if word == "page":
            page = Page(int(rest), unit[0], unit[1])
            pages.append(page)
            continue
        if page is None:
            raise StoryError("%s: '%s' before the first page" % (where, word))

        m = re.fullmatch(r"s(\d*)", word)
        if m:
            if not rest:
                raise StoryError("%s: empty sentence" % where)
            if m.group(1):
                index = int(m.group(1))
            else:
                index = page.sentences[-1][0] + 1 if page.sentences else 1
            if page.sentences and index <= page.sentences[-1][0]:
                raise StoryError("%s: sentence numbers must grow" % where)
            if not 1 <= index <= 29:
                raise StoryError("%s: sentence number %d out of 1..29" % (where, index))
            page.sentences.append((index, rest))
        elif word == "opener":
            page.opener = True
        elif word == "hint":
            if not rest:
                raise StoryError("%s: empty hint" % where)
            page.hint = rest
        elif word == "scene":
            tokens = rest.split()
            page.scene = tokens[0]
            page.scene_opts, _ = _keyvals(tokens[1:])
        elif word == "text":
            tokens = rest.split()
            if tokens[0] not in ("top", "bottom"):
                raise StoryError("%s: text goes top or bottom" % where)
            page.text_pos = tokens[0]
            page.text_small = "small" in tokens[1:]
        elif word == "put":
            tokens = rest.split()
            opts, flags = _keyvals(tokens[1:])
            nums = [float(f) for f in flags if re.fullmatch(r"-?[\d.]+", f)]
            words = [f for f in flags if not re.fullmatch(r"-?[\d.]+", f)]
            if not nums:
                raise StoryError("%s: put needs an x" % where)
            put = Put(tokens[0], nums[0])
            if len(nums) > 1:
                put.y = nums[1]
            put.h = opts.pop("h", None)
            put.flip = "flip" in words
            put.opts = opts
            page.puts.append(put)
        elif word == "sprite":
            tokens = rest.split()
            opts, flags = _keyvals(tokens[1:])
            sp = Sprite(tokens[0], float(flags[0]), float(flags[1]))
            sp.scale = float(opts.get("scale", 1.0))
            if "anchor" in opts:
                ax, ay = str(opts["anchor"]).split(",")
                sp.anchor = (float(ax), float(ay))
            sp.anim = opts.get("anim")
            page.sprites.append(sp)
        elif word == "words":
            title, _, words = rest.partition("|")
            page.words_title = title.strip()
            page.words = words.split()
        else:
            raise StoryError("%s: unknown line '%s'" % (where, word))
    numbers = [p.number for p in pages]
    if numbers != list(range(2, 97)):
        raise StoryError("the story must have pages 2 to 96 in order")
    return pages


def load(path):
    with open(path, encoding="utf-8") as f:
        return parse(f.read())
