#!/usr/bin/python3
"""Checks a book folder the way the reader will use it.

    /usr/bin/python3 tests/book/check_book.py book [--counts]

Fails (exit status 1, one line per problem) on: a document that is not
JSON or lacks its root panel; a sentence button without its narration
file or caption (other than the deliberate gaps below); an image, sprite
sheet or frame that a document names but the book lacks; a sprite sheet
whose frames leave its texture or overlap; sentence buttons that the
caption placement would put in the wrong place.  --counts prints the
number of widget nodes per class for every document, as JSON.

Standard library only, so it runs where Pillow is not installed.
"""

import argparse
import hashlib
import json
import os
import plistlib
import re
import struct
import sys

PAGES = range(2, 97)
WORD_PAGES = range(86, 96)
DESIGN = (640, 960)
CENTRE = (320, 480)
MENU_BAND = 100          # the page layer's items cover the bottom of the page
MAX_SENTENCE = 29
MAX_CAPTION_BYTES = 1599
MAX_LABEL_BYTES = 63
MAX_BOOK_BYTES = 25 * 1024 * 1024

# Deliberate gaps of the sample book (see book/README.md).
ALLOWED_MISSING_CAPTIONS = {"str072"}
FIXTURES = {5: list(range(1, 13)), 20: list(range(1, 12)), 9: [1, 3], 44: []}

# images the page layer and the home screen load by name
REQUIRED_IMAGES = ("up1.png", "up2.png", "play_btn.png", "pause_btn.png", "next1.png",
                   "next2.png", "bnchback1.png", "bnren1.png", "bnren2.png", "grossini.png",
                   "drag.jpg")

STRING_KEYS = ("setmenu_set", "main_page", "bntext", "wordname", "page_front", "page_after")
SETTING_BUTTONS = ("bnmain", "bnpres", "bnaotopage", "bnaoto", "bnok", "bncancel")
SETTING_TITLE = (25, 24, 25)

IMAGE_KEYS = ("backGroundImage", "fileName", "normal", "pressed", "disabled", "texture",
              "barFileName", "ballNormal", "ballPressed", "ballDisabled", "progressBarFileName",
              "backGroundBox", "backGroundBoxSelected", "frontCross", "backGroundBoxDisabled",
              "frontCrossDisabled")
NEWER_IMAGE_KEYS = tuple(k + "Data" for k in IMAGE_KEYS) + ("progressBarData",
                                                             "barFileNameData")


def sentence_name(prefix, page, index):
    return "%s%s%d%d" % (prefix, "0" if page < 10 else "", page, index)


def narration_path(page, index):
    logical = sentence_name("mc", page, index) + ".mp3"
    return "epc/" + hashlib.md5(logical.encode("ascii")).hexdigest() + ".mp3"


def version_number(v):
    """Same reading as the document reader: four dot-separated numbers."""
    if not isinstance(v, str) or len(v) < 7:
        return 0
    parts = (v.split(".", 3) + ["0", "0", "0", "0"])[:4]
    digits = [int(re.match(r"\d*", p).group() or 0) for p in parts]
    return digits[0] * 1000 + digits[1] * 100 + digits[2] * 10 + digits[3]


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        return None
    return struct.unpack(">II", head[16:24])


def looks_like_mp3(path):
    with open(path, "rb") as f:
        head = f.read(4)
    return head[:3] == b"ID3" or (len(head) >= 2 and head[0] == 0xFF and head[1] & 0xE0 == 0xE0)


def parse_rect(text):
    nums = [int(float(v)) for v in re.findall(r"-?\d+(?:\.\d+)?", text or "")]
    return nums


class Book:
    def __init__(self, root):
        self.root = os.path.abspath(root)
        self.problems = []
        self.sheets = {}          # absolute plist path -> frames by name, or None if bad
        self.counts = {}
        self.sentences = 0
        self.narrations = set()
        self.caption_keys = set()
        self.captions = {}
        # what the documents exercise, for check_coverage
        self.seen = set()

    def fail(self, where, message):
        self.problems.append("%s: %s" % (where, message))

    def path(self, rel):
        return os.path.join(self.root, rel)

    # -------------------------------------------------------- strings
    def load_plist(self, rel):
        try:
            with open(self.path(rel), "rb") as f:
                data = plistlib.load(f)
        except (OSError, plistlib.InvalidFileException, ValueError) as e:
            self.fail(rel, "not a readable property list (%s)" % e)
            return {}
        if not isinstance(data, dict):
            self.fail(rel, "root is not a dictionary")
            return {}
        return data

    def check_strings(self):
        strings = self.load_plist("String.xml")
        for key in STRING_KEYS:
            if not isinstance(strings.get(key), str):
                self.fail("String.xml", "no string under %s" % key)
        if strings.get("bntext"):
            # the page layer shows it at the bottom centre, right over its previous and next items
            self.fail("String.xml", "the start text bntext would cover the page's arrows")
        front, after = strings.get("page_front", ""), strings.get("page_after", "")
        longest = "%s %d %s" % (front, max(PAGES), after)
        if len(longest.encode("utf-8")) > MAX_LABEL_BYTES:
            self.fail("String.xml", "page label '%s' is longer than %d bytes"
                      % (longest, MAX_LABEL_BYTES))
        word = "%s %d " % (strings.get("wordname", ""), 6)
        if len(word.encode("utf-8")) > MAX_LABEL_BYTES:
            self.fail("String.xml", "word-list label is longer than %d bytes" % MAX_LABEL_BYTES)
        self.captions = self.load_plist("Stringstr.xml")
        for key, text in self.captions.items():
            if not isinstance(text, str):
                self.fail("Stringstr.xml", "%s is not a string" % key)
            elif len(text.encode("utf-8")) > MAX_CAPTION_BYTES:
                self.fail("Stringstr.xml", "%s is too long to be shown" % key)

    # -------------------------------------------------------- sprite sheets
    def load_sheet(self, where, plist_path):
        if plist_path in self.sheets:
            return self.sheets[plist_path]
        self.sheets[plist_path] = None
        rel = os.path.relpath(plist_path, self.root)
        if not os.path.isfile(plist_path):
            self.fail(where, "sprite sheet %s does not exist" % rel)
            return None
        atlas = self.load_plist(rel)
        frames, meta = atlas.get("frames"), atlas.get("metadata")
        if not isinstance(frames, dict) or not isinstance(meta, dict):
            self.fail(rel, "no frames or metadata")
            return None
        tex_rel = meta.get("textureFileName", "")
        tex = os.path.join(os.path.dirname(plist_path), tex_rel)
        size = png_size(tex) if os.path.isfile(tex) else None
        if size is None:
            self.fail(rel, "texture %s is missing or not a PNG" % tex_rel)
            return None
        if parse_rect(meta.get("size")) != list(size):
            self.fail(rel, "metadata size %s differs from the texture's %dx%d"
                      % (meta.get("size"), size[0], size[1]))
        if meta.get("format") != 2:
            self.fail(rel, "atlas format is not 2")
        boxes = []
        for name, fr in sorted(frames.items()):
            r = parse_rect(fr.get("frame"))
            if len(r) != 4 or not isinstance(fr.get("rotated"), bool):
                self.fail(rel, "frame %s is malformed" % name)
                continue
            x, y, w, h = r
            sw, sh = (h, w) if fr["rotated"] else (w, h)
            if x < 0 or y < 0 or x + sw > size[0] or y + sh > size[1] or w <= 0 or h <= 0:
                self.fail(rel, "frame %s lies outside the texture" % name)
            if parse_rect(fr.get("sourceSize")) != [w, h]:
                self.fail(rel, "frame %s: sourceSize differs from its frame size" % name)
            for other, (ox, oy, ow, oh) in boxes:
                if x < ox + ow and ox < x + sw and y < oy + oh and oy < y + sh:
                    self.fail(rel, "frames %s and %s overlap" % (other, name))
            boxes.append((name, (x, y, sw, sh)))
        self.sheets[plist_path] = {name: fr for name, fr in frames.items()}
        return self.sheets[plist_path]

    # -------------------------------------------------------- documents
    def load_document(self, rel):
        try:
            with open(self.path(rel), encoding="utf-8") as f:
                doc = json.load(f)
        except OSError:
            self.fail(rel, "missing")
            return None
        except ValueError as e:
            self.fail(rel, "not JSON (%s)" % e)
            return None
        if not isinstance(doc, dict) or not isinstance(doc.get("widgetTree"), dict):
            self.fail(rel, "no widget tree")
            return None
        return doc

    def walk(self, tree, parent=None):
        """Yields (node, options, parent node) depth first, parents first."""
        opts = tree.get("options") if isinstance(tree.get("options"), dict) else {}
        yield tree, opts, parent
        for child in tree.get("children") or []:
            if isinstance(child, dict):
                yield from self.walk(child, tree)

    def check_document(self, rel, doc):
        older = version_number(doc.get("version")) < 250
        self.seen.add("older keys, no version" if "version" not in doc
                      else "older keys, old version" if older else "newer keys")
        if isinstance(doc.get("animation"), dict) and doc["animation"].get("actionlist"):
            self.seen.add("animation")
        doc_dir = os.path.dirname(self.path(rel))
        if (doc.get("designWidth"), doc.get("designHeight")) != DESIGN:
            self.fail(rel, "design size is not 640 x 960")
        frames = {}
        for t in doc.get("textures") or []:
            if isinstance(t, str):
                sheet = self.load_sheet(rel, os.path.normpath(os.path.join(doc_dir, t)))
                frames.update(sheet or {})

        root = doc["widgetTree"]
        ro = root.get("options") or {}
        if root.get("classname") != "Panel":
            self.fail(rel, "root widget is not a Panel")
        elif (ro.get("width"), ro.get("height")) != DESIGN or \
                (ro.get("anchorPointX"), ro.get("anchorPointY")) != (0, 0):
            self.fail(rel, "root panel must be 640 x 960 with anchor (0, 0)")

        counts = {}
        tags = set()
        for node, opts, parent in self.walk(root):
            cls = node.get("classname")
            counts[cls] = counts.get(cls, 0) + 1
            name = opts.get("name", "default")
            where = "%s [%s]" % (rel, name)
            tags.add(opts.get("actiontag", 0))
            self.seen.add(cls)
            if opts.get("scale9Enable") is True:
                self.seen.add("nine-slice")
            if cls in ("Panel", "ScrollView", "DragPanel", "PageView") and \
                    ("anchorPointX" not in opts or "anchorPointY" not in opts):
                # a missing anchor reads as (0.5, 0.5) and shifts the panel by half its size
                self.fail(where, "panel without an explicit anchor")
            self.check_images(where, opts, older, doc_dir, frames)
        self.counts[rel] = dict(sorted(counts.items(), key=lambda kv: str(kv[0])))
        self.check_animation(rel, doc.get("animation"), tags)
        return root

    def check_images(self, where, opts, older, doc_dir, frames):
        refs = []
        if older:
            merged = opts.get("useMergedTexture") is True
            for key in IMAGE_KEYS:
                value = opts.get(key)
                if isinstance(value, str) and value:
                    refs.append((key, 1 if merged else 0, value))
        else:
            for key in NEWER_IMAGE_KEYS:
                ref = opts.get(key)
                if isinstance(ref, dict) and isinstance(ref.get("path"), str) and ref["path"]:
                    refs.append((key, ref.get("resourceType", 0), ref["path"]))
        for key, kind, value in refs:
            if kind == 1:
                self.seen.add("merged texture" if older else "resource type 1")
                if value not in frames:
                    self.fail(where, "%s names frame %s, which no listed sheet has" % (key, value))
                elif frames[value].get("rotated") is True:
                    self.seen.add("rotated frame")
            elif kind == 0:
                if not os.path.isfile(os.path.normpath(os.path.join(doc_dir, value))):
                    self.fail(where, "%s names %s, which does not exist" % (key, value))

    def check_animation(self, rel, section, tags):
        if section is None:
            return
        if not isinstance(section, dict):
            self.fail(rel, "animation is not an object")
            return
        for anim in section.get("actionlist") or []:
            for nd in anim.get("actionnodelist") or []:
                tag = nd.get("ActionTag", 0)
                if tag not in tags:
                    self.fail(rel, "animation node %s addresses no widget" % tag)
                for fr in nd.get("actionframelist") or []:
                    if not isinstance(fr.get("frameid"), int):
                        self.fail(rel, "animation frame without an integer frameid")

    # -------------------------------------------------------- sentences
    def check_page(self, page):
        rel = "english5down/english5down_%d.json" % page
        doc = self.load_document(rel)
        if doc is None:
            return
        root = self.check_document(rel, doc)
        self.check_layout(rel, root)
        expected = {sentence_name("bn", page, i): i for i in range(1, MAX_SENTENCE + 1)}
        found = {}
        for node, opts, parent in self.walk(root):
            name = opts.get("name", "")
            if not re.fullmatch(r"bn\d+", str(name)):
                continue
            where = "%s [%s]" % (rel, name)
            if name not in expected:
                self.fail(where, "sentence button name does not belong to page %d" % page)
                continue
            if name in found:
                self.fail(where, "two widgets share this sentence name")
            found[name] = expected[name]
            self.check_sentence_button(where, page, node, opts, parent)

        indices = sorted(found.values())
        if page in FIXTURES and indices != FIXTURES[page]:
            self.fail(rel, "fixture: sentences %s, expected %s" % (indices, FIXTURES[page]))
        for i in indices:
            self.sentences += 1
            narration = narration_path(page, i)
            full = self.path(narration)
            if not os.path.isfile(full) or os.path.getsize(full) < 1000 or \
                    not looks_like_mp3(full):
                self.fail(rel, "%s has no narration %s" % (sentence_name("bn", page, i),
                                                           narration))
            key = sentence_name("str", page, i)
            if key not in self.captions and key not in ALLOWED_MISSING_CAPTIONS:
                self.fail(rel, "%s has no caption %s" % (sentence_name("bn", page, i), key))
        self.narrations.update(narration_path(page, i) for i in indices)
        self.caption_keys.update(sentence_name("str", page, i) for i in indices)

    def check_sentence_button(self, where, page, node, opts, parent):
        if node.get("classname") not in ("Button", "TextButton"):
            self.fail(where, "sentence is not a button")
        if opts.get("touchAble") is not True:
            self.fail(where, "sentence button does not take touches")
        po = (parent or {}).get("options") or {}
        if (parent or {}).get("classname") != "Panel" or (po.get("x"), po.get("y")) != CENTRE \
                or (po.get("anchorPointX"), po.get("anchorPointY")) != (0, 0) \
                or po.get("clipAble") is True:
            # the caption is placed at the screen centre plus the button's position
            self.fail(where, "sentence button is not in an unclipped panel at the centre")
            return
        if page not in WORD_PAGES:
            return
        ref = opts.get("normalData", {}).get("path") if "normalData" in opts \
            else opts.get("normal")
        if not ref or ref.endswith("bnren1.png"):
            self.fail(where, "word-list card has no picture of its own")

    def check_layout(self, rel, root):
        """Hotspot boxes must lie on the page, above the page layer's items."""
        for node, opts, parent in self.walk(root):
            name = str(opts.get("name", ""))
            if not re.fullmatch(r"bn\d+", name) or node.get("classname") != "Button":
                continue
            x = CENTRE[0] + opts.get("x", 0)
            y = CENTRE[1] + opts.get("y", 0)
            if not (0 <= x <= DESIGN[0] and MENU_BAND <= y <= DESIGN[1]):
                self.fail("%s [%s]" % (rel, name), "sentence button centre (%g, %g) is off the "
                          "page or over the menu band" % (x, y))

    # -------------------------------------------------------- settings
    def check_settings(self):
        rel = "3age/pageset.json"
        doc = self.load_document(rel)
        if doc is None:
            return
        root = self.check_document(rel, doc)
        older = version_number(doc.get("version")) < 250
        seen = {}
        for node, opts, _ in self.walk(root):
            if opts.get("name") in SETTING_BUTTONS:
                seen[opts["name"]] = (node, opts)
        for name in SETTING_BUTTONS:
            if name not in seen:
                self.fail(rel, "settings button %s is missing" % name)
                continue
            node, opts = seen[name]
            where = "%s [%s]" % (rel, name)
            if node.get("classname") != "TextButton":
                self.fail(where, "not a TextButton")
            if opts.get("touchAble") is not True:
                self.fail(where, "does not take touches")
            for key in ("normal", "pressed", "disabled"):
                has = opts.get(key) if older else (opts.get(key + "Data") or {}).get("path")
                if not has:
                    self.fail(where, "no %s image" % key)
            if not opts.get("text"):
                self.fail(where, "no title")
            colour = (opts.get("textColorR"), opts.get("textColorG"), opts.get("textColorB"))
            if colour != SETTING_TITLE:
                self.fail(where, "title colour %s, expected %s" % (colour, SETTING_TITLE))

    # -------------------------------------------------------- all
    def run(self):
        self.check_strings()
        self.check_images_folder()
        for page in PAGES:
            self.check_page(page)
        self.check_settings()
        self.check_leftovers()
        self.check_coverage()
        size = sum(os.path.getsize(os.path.join(d, f))
                   for d, _, files in os.walk(self.root) for f in files)
        if size > MAX_BOOK_BYTES:
            self.fail("book", "%.1f MiB is over the size budget" % (size / 1048576))
        return self.problems

    def check_images_folder(self):
        for name in REQUIRED_IMAGES:
            if not os.path.isfile(self.path("Images/" + name)):
                self.fail("Images/" + name, "missing")
        normal, pressed = (self.path("Images/bnren%d.png" % k) for k in (1, 2))
        if os.path.isfile(normal) and os.path.isfile(pressed) and \
                png_size(normal) != png_size(pressed):
            # the page layer swaps these two on one button of a fixed scale
            self.fail("Images/bnren2.png", "differs in size from bnren1.png")

    COVERAGE = ("newer keys", "older keys, no version", "older keys, old version",
                "resource type 1", "merged texture", "rotated frame", "nine-slice", "animation",
                "Label", "TextArea", "TextButton", "ImageView", "Button", "Panel")

    def check_coverage(self):
        """The sample book is the fixture of the reader's tests: it must keep
        using every document feature that those tests lean on."""
        for feature in self.COVERAGE:
            if feature not in self.seen:
                self.fail("book", "no document uses %s" % feature)

    def check_leftovers(self):
        """Narration files and captions that no sentence button uses."""
        epc = self.path("epc")
        if os.path.isdir(epc):
            for f in sorted(os.listdir(epc)):
                # A track's word timings sit beside it under its name with ".txt".
                track = f[:-len(".txt")] + ".mp3" if f.endswith(".txt") else f
                if "epc/" + track not in self.narrations:
                    self.fail("epc/" + f, "belongs to no sentence button")
        for key in sorted(self.captions):
            if key not in self.caption_keys:
                self.fail("Stringstr.xml", "%s belongs to no sentence button" % key)


def main(argv=None):
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("book", help="the book folder")
    ap.add_argument("--counts", action="store_true",
                    help="print the widget count per class of every document as JSON")
    args = ap.parse_args(argv)
    book = Book(args.book)
    problems = book.run()
    if args.counts:
        print(json.dumps(book.counts, indent=1, sort_keys=True))
    for p in problems:
        print(p)
    print("book check: %d documents, %d sentences, %d problems"
          % (len(book.counts), book.sentences, len(problems)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
