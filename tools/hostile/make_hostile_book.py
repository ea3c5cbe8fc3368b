#!/usr/bin/env python3
"""Writes a book folder made of bad inputs, for robustness runs of the reader and lirava-check.

    tools/hostile/make_hostile_book.py OUT_DIR

The folder has the layout of a real book (english5down/, Images/, epc/, Stringstr.xml, ...) so the
reader can open it with --resources and turn through it. Every page holds one kind of bad input,
and most pages also carry sentence buttons whose images, captions and narration are bad in their
own ways. MANIFEST.json lists each bad file with what is wrong with it; the tests compare what
lirava-check reports against it. Output is the same on every run (no randomness without a seed).
"""

import hashlib
import json
import os
import random
import shutil
import struct
import sys
import zlib

FIRST_PAGE = 2
LAST_PAGE = 96
TEN_MIB = 10 * 1024 * 1024


# ---------------------------------------------------------------- names the reader uses

def page_digits(page, index):
    return ("0%d%d" % (page, index)) if page < 10 else ("%d%d" % (page, index))


def button_name(page, index):
    return "bn" + page_digits(page, index)


def caption_key(page, index):
    return "str" + page_digits(page, index)


def narration_file(page, index):
    logical = "mc" + page_digits(page, index) + ".mp3"
    return "epc/" + hashlib.md5(logical.encode()).hexdigest() + ".mp3"


def action_tag(page, index):
    return int(str(page) + str(index))


# ---------------------------------------------------------------- good files to spoil

def png_bytes(width, height, rgba=(200, 120, 40, 255)):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    row = b"\x00" + bytes(rgba) * width
    raw = row * height
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def jpeg_header_only():
    # SOI, a JFIF APP0 and a frame header claiming 640 x 960, then nothing: no scan, no EOI.
    app0 = b"\xff\xe0" + struct.pack(">H", 16) + b"JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00"
    sof0 = b"\xff\xc0" + struct.pack(">HBHHB", 17, 8, 960, 640, 3) + b"\x01\x22\x00\x02\x11\x01\x03\x11\x01"
    return b"\xff\xd8" + app0 + sof0


def mp3_frames(count):
    # MPEG-1 Layer III, 32 kbit/s, 22.05 kHz is MPEG-2; keep it simple: MPEG-1 44.1 kHz 32 kbit/s
    # frames of silence (header 0xFFFB1000 -> 104 bytes a frame).
    header = b"\xff\xfb\x10\x00"
    return (header + b"\x00" * 100) * count


def json_text(value):
    return json.dumps(value, separators=(",", ":"), ensure_ascii=False)


# ---------------------------------------------------------------- documents

def options(name, x, y, width, height, **more):
    base = {"name": name, "tag": 0, "actiontag": 0, "touchAble": False, "x": x, "y": y, "ZOrder": 0,
            "anchorPointX": 0, "anchorPointY": 0, "width": width, "height": height, "visible": True,
            "opacity": 255, "scaleX": 1, "scaleY": 1, "rotation": 0}
    base.update(more)
    return base


def sentence_button(page, index, y, normal="../Images/bnren1.png", pressed="../Images/bnren2.png", resource=0):
    o = options(button_name(page, index), 320, y, 400, 40, tag=action_tag(page, index),
                actiontag=action_tag(page, index), touchAble=True, anchorPointX=0.5, anchorPointY=0.5,
                scale9Enable=False, normalData={"resourceType": resource, "path": normal},
                pressedData={"resourceType": resource, "path": pressed},
                disabledData={"resourceType": 0, "path": ""}, text="", fontSize=20)
    return {"classname": "Button", "name": o["name"], "options": o, "children": []}


def page_document(page, sentences=3, picture="../Images/pages/p.png", children=None, textures=None,
                  version="1.0.0.0", resource=0, normal="../Images/bnren1.png", pressed="../Images/bnren2.png"):
    buttons = [sentence_button(page, i, 700 - 60 * i, normal, pressed, resource) for i in range(1, sentences + 1)]
    tree = {"classname": "Panel", "name": "page%d" % page,
            "options": options("page%d" % page, 0, 0, 640, 960, backGroundImageData={"resourceType": 0, "path": picture},
                               backGroundScale9Enable=False, colorType=0, bgColorOpacity=0, clipAble=False),
            "children": buttons + (children or [])}
    doc = {"version": version, "designWidth": 640, "designHeight": 960, "textures": textures or [],
           "widgetTree": tree, "animation": {"actionlist": []}}
    return doc


def label(name, text, x=320, y=120):
    o = options(name, x, y, 600, 0, text=text, fontName="Arial", fontSize=24, areaWidth=600, areaHeight=0,
                hAlignment=1, vAlignment=0, colorR=0, colorG=0, colorB=0)
    return {"classname": "TextArea", "name": name, "options": o, "children": []}


def wrong_kind(value, variant):
    """A value of another JSON kind than the one given."""
    if isinstance(value, bool):
        return ["yes", 7, None, {"a": 1}][variant % 4]
    if isinstance(value, (int, float)):
        return ["12", True, [1, 2], {"n": value}][variant % 4]
    if isinstance(value, str):
        return [42, False, ["a"], {"path": value}][variant % 4]
    if isinstance(value, list):
        return [{"0": 1}, "[]", 3, True][variant % 4]
    if isinstance(value, dict):
        return ["{}", [value], 0, None][variant % 4]
    return ["null", 0, [], {}][variant % 4]


def spoil_kinds(node, variant):
    """Every key of every object takes a value of the wrong kind, except the ones that keep the
    tree a tree (widgetTree, children, options, classname), so the readers see every key."""
    if isinstance(node, dict):
        out = {}
        for key, value in node.items():
            if key in ("widgetTree", "options"):
                out[key] = spoil_kinds(value, variant)
            elif key == "children":
                out[key] = [spoil_kinds(child, variant + 1) for child in value]
            elif key == "classname":
                out[key] = value
            elif isinstance(value, dict) and key.endswith("Data"):
                out[key] = spoil_kinds(value, variant) if variant % 2 else wrong_kind(value, variant)
            else:
                out[key] = wrong_kind(value, variant)
        return out
    return node


def huge_numbers(node):
    """Numbers beyond 32 bits (and beyond a float) for every numeric key."""
    values = [4294967296, -4294967297, 1e300, -1e300, 9223372036854775807, 2 ** 70, 1e-320, -0.0]
    counter = [0]

    def walk(n):
        if isinstance(n, dict):
            out = {}
            for k, v in n.items():
                if isinstance(v, bool):
                    out[k] = v
                elif isinstance(v, (int, float)):
                    out[k] = values[counter[0] % len(values)]
                    counter[0] += 1
                else:
                    out[k] = walk(v)
            return out
        if isinstance(n, list):
            return [walk(x) for x in n]
        return n
    return walk(node)


def nested_widgets(depth):
    """A widget tree depth levels deep, written without recursion."""
    opening = []
    for level in range(depth):
        o = json_text(options("deep%d" % level, 1, 1, 10, 10))
        opening.append('{"classname":"Panel","name":"deep%d","options":%s,"children":[' % (level, o))
    return "".join(opening) + "]}" * depth


# ---------------------------------------------------------------- the book

class Book:
    def __init__(self, root):
        self.root = root
        self.manifest = []

    def write(self, rel, data, problem=None, report=True):
        """Writes a file. A problem goes into the manifest with the text lirava-check's report
        must show for it (the file's path unless report names something else; None where the
        checker has no way to see the problem and only the reader run uses the file)."""
        path = os.path.join(self.root, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        if isinstance(data, str):
            data = data.encode("utf-8")
        with open(path, "wb") as f:
            f.write(data)
        if problem:
            self.note(rel, problem, report)

    def missing(self, rel, problem, report=True):
        self.note(rel, problem, report, missing=True)

    def note(self, rel, problem, report=True, missing=False):
        entry = {"file": rel, "problem": problem, "report": rel if report is True else report}
        if missing:
            entry["missing"] = True
        self.manifest.append(entry)


def plist(entries_xml):
    return ('<?xml version="1.0" encoding="UTF-8"?>\n<plist version="1.0">\n<dict>\n%s</dict>\n</plist>\n'
            % entries_xml)


def xml_escape(text):
    return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")


def make_images(book):
    good = png_bytes(64, 32)
    book.write("Images/pages/p.png", png_bytes(32, 48, (230, 220, 200, 255)))
    book.write("Images/bnren1.png", png_bytes(20, 20, (250, 250, 250, 200)))
    book.write("Images/bnren2.png", png_bytes(20, 20, (250, 200, 0, 200)))
    book.write("Images/bad/zero.png", b"", "zero-byte PNG")
    book.write("Images/bad/zero.jpg", b"", "zero-byte JPEG")
    book.write("Images/bad/truncated.png", good[: len(good) // 2], "truncated PNG")
    book.write("Images/bad/corrupt.png", good[:16] + bytes(range(256)) * 4, "PNG with a corrupt body")
    book.write("Images/bad/huge-header.png", png_bytes(1, 1)[:16] + struct.pack(">II", 100000, 100000) +
               png_bytes(1, 1)[24:], "PNG whose header claims 100000 x 100000 pixels")
    book.write("Images/bad/truncated.jpg", jpeg_header_only(), "JPEG cut off after its frame header")
    book.write("Images/bad/corrupt.jpg", b"\xff\xd8\xff\xe0" + bytes(range(256)) * 8, "JPEG with a corrupt body")
    book.write("Images/bad/not-an-image.png", b"GIF89a this is no PNG at all", "PNG name over bytes of another kind")
    # The reader's own controls, spoiled: a zero-byte one, a corrupt one, and missing ones.
    book.write("Images/up1.png", b"", "zero-byte control image")
    book.write("Images/next1.png", good[:40], "truncated control image")
    book.write("Images/play_btn.png", b"\x89PNG\r\n\x1a\n" + b"\x00" * 64, "corrupt control image")
    book.write("Images/drag.jpg", jpeg_header_only(), "truncated JPEG of the home screen", report=None)
    book.missing("Images/next2.png", "missing control image")

    # Sprite sheets: frames outside the image, broken numbers, a sheet whose image is corrupt.
    book.write("Images/sheet.png", png_bytes(64, 64, (0, 150, 200, 255)))
    frames = "".join([
        "<key>inside.png</key><dict><key>frame</key><string>{{0,0},{32,32}}</string><key>offset</key>"
        "<string>{0,0}</string><key>rotated</key><false/><key>sourceSize</key><string>{32,32}</string></dict>\n",
        "<key>outside.png</key><dict><key>frame</key><string>{{60,60},{100,100}}</string><key>offset</key>"
        "<string>{0,0}</string><key>rotated</key><false/><key>sourceSize</key><string>{100,100}</string></dict>\n",
        "<key>far.png</key><dict><key>frame</key><string>{{5000,5000},{10,10}}</string></dict>\n",
        "<key>negative.png</key><dict><key>frame</key><string>{{-20,-20},{10,10}}</string></dict>\n",
        "<key>rotated-out.png</key><dict><key>frame</key><string>{{40,0},{10,40}}</string><key>rotated</key>"
        "<true/></dict>\n",
        "<key>nan.png</key><dict><key>frame</key><string>{{nan,0},{inf,10}}</string></dict>\n",
        "<key>words.png</key><dict><key>frame</key><string>not a rect</string></dict>\n",
    ])
    book.write("Images/sheet.plist", plist("<key>frames</key><dict>\n%s</dict>\n<key>metadata</key><dict><key>format"
                                           "</key><integer>2</integer><key>textureFileName</key><string>sheet.png"
                                           "</string></dict>\n" % frames),
               "sprite sheet naming frames outside its image and frames with malformed rects")
    book.write("Images/badsheet.png", b"\x89PNG\r\n\x1a\nnope", "corrupt sprite-sheet image",
               report="Images/badsheet.plist")
    book.write("Images/badsheet.plist", plist("<key>frames</key><dict><key>a.png</key><dict><key>frame</key><string>"
                                              "{{0,0},{8,8}}</string></dict></dict><key>metadata</key><dict><key>"
                                              "textureFileName</key><string>badsheet.png</string></dict>\n"))
    book.write("Images/truncated.plist", plist("<key>frames</key><dict><key>a.png</key>")[:90],
               "truncated sprite sheet")


def make_strings(book, captioned):
    # String.xml is missing on purpose.
    book.missing("String.xml", "missing string table")
    entries = []
    for page, index, text in captioned:
        entries.append((caption_key(page, index), text))
    body = []
    for key, text in entries:
        if isinstance(text, bytes):
            body.append(b"<key>" + key.encode() + b"</key><string>" + text + b"</string>\n")
        else:
            body.append(("<key>%s</key><string>%s</string>\n" % (key, xml_escape(text))).encode("utf-8"))
    book.write("Stringstr.xml", plist("").encode().replace(b"<dict>\n", b"<dict>\n" + b"".join(body)))


def make_narration(book, page, index, kind, checked):
    """checked: the page's buttons are readable, so lirava-check looks at this narration (it
    names it by its logical name)."""
    rel = narration_file(page, index)
    name = "mc" + page_digits(page, index) + ".mp3"
    report = name if checked else None
    if kind == "zero":
        book.write(rel, b"", "zero-byte MP3", report)
    elif kind == "corrupt":
        book.write(rel, b"ID3\x04\x00\x00\x00\x00\x00\x05garbage" + bytes(range(256)) * 4, "corrupt MP3", report)
    elif kind == "truncated":
        # One frame survives: it decodes to a blip, which no checker can tell from a short word.
        book.write(rel, mp3_frames(40)[:150], "truncated MP3", None)
    elif kind == "text":
        book.write(rel, "this is not audio\n", "MP3 name over text", report)
    elif kind == "missing":
        book.missing(rel, "missing narration", report)
    else:
        book.write(rel, mp3_frames(40))


NARRATION_KINDS = ["zero", "corrupt", "truncated", "text", "missing", "good"]


def make_pages(book):
    captioned = []
    rng = random.Random(20261207)

    def doc_for(page, text, problem=None, code=None):
        """code: what lirava-check reports on the page's row for a document that reads but holds
        bad values (its findings name keys or images, not the document)."""
        book.write("english5down/english5down_%d.json" % page, text, problem,
                   {"scope": str(page), "code": code} if code else True)

    special = {}
    special[2] = lambda p: doc_for(p, b"", "empty document")
    special[3] = lambda p: doc_for(p, json_text(page_document(p))[:700], "truncated document")
    special[4] = lambda p: doc_for(p, huge_document(p), "10 MiB document")
    special[5] = lambda p: doc_for(p, deep_document(p), "widgets nested 5,000 deep")
    special[6] = lambda p: doc_for(p, json_text(huge_numbers(page_document(p))), "numbers beyond 32 bits", "out-of-range")
    for variant, p in enumerate((7, 8, 9, 11)):
        special[p] = (lambda v: lambda q: doc_for(q, json_text(spoil_kinds(page_document(q, textures=["../Images/sheet.plist"]), v)),
                                                  "wrong kinds for every key (variant %d)" % v, "wrong-kind"))(variant)
    special[10] = lambda p: book.missing("english5down/english5down_%d.json" % p, "missing page")
    special[12] = lambda p: doc_for(p, json_text(page_document(p, picture="../Images/bad/corrupt.png",
                                                               normal="../Images/bad/zero.png",
                                                               pressed="../Images/bad/truncated.png")),
                                    "document naming corrupt, zero-byte and truncated PNG files", "bad-image")
    special[13] = lambda p: doc_for(p, json_text(page_document(p, picture="../Images/bad/truncated.jpg",
                                                               normal="../Images/bad/corrupt.jpg",
                                                               pressed="../Images/bad/zero.jpg")),
                                    "document naming corrupt, zero-byte and truncated JPEG files", "bad-image")
    special[14] = lambda p: doc_for(p, json_text(page_document(p, textures=["../Images/sheet.plist"], resource=1,
                                                               normal="outside.png", pressed="far.png",
                                                               children=[frame_image(n) for n in (
                                                                   "inside.png", "outside.png", "negative.png",
                                                                   "rotated-out.png", "nan.png", "words.png",
                                                                   "no-such-frame.png")])),
                                    "document using sprite-sheet frames outside the sheet's image", "missing-frame")
    special[15] = lambda p: doc_for(p, bytes(rng.randrange(256) for _ in range(3000)), "random bytes")
    special[16] = lambda p: doc_for(p, "[1,2,3]", "top level is an array")
    special[17] = lambda p: doc_for(p, '"just a string"', "top level is a string")
    special[18] = lambda p: doc_for(p, "null", "top level is null")
    special[19] = lambda p: doc_for(p, json_text(page_document(p, textures=["../Images/badsheet.plist",
                                                                            "../Images/truncated.plist",
                                                                            "../Images/missing.plist", 5, None])),
                                    "sprite sheets that are corrupt, truncated, missing or not names", "bad-sheet")
    special[20] = lambda p: doc_for(p, json_text(page_document(p, picture="../Images/bad/huge-header.png",
                                                               normal="../Images/bad/not-an-image.png",
                                                               pressed="/etc/passwd")),
                                    "document naming an image with a huge header and files that are no images",
                                    "bad-image")
    special[21] = lambda p: doc_for(p, json_text(page_document(p, children=[unknown_classes()])),
                                    "unknown widget classes", "unknown-class")
    special[22] = lambda p: book.write("english5down/english5down_%d.json" % p,
                                       "\ufeff" + json_text(page_document(p)) + "\x00trailing",
                                       "byte-order mark and trailing bytes", None)
    # Pages whose sentence buttons the checker finds, so it looks at their captions and narration.
    intact = {6, 12, 13, 14, 19, 20, 21}

    for page in range(FIRST_PAGE, LAST_PAGE + 1):
        if page in special:
            special[page](page)
        elif page % 3 == 0:
            # A real-looking page cut at a random point.
            text = json_text(page_document(page))
            doc_for(page, text[: rng.randrange(1, len(text))], "truncated document")
        elif page % 3 == 1:
            # A real-looking page with random bytes changed.
            data = bytearray(json_text(page_document(page)).encode())
            for _ in range(12):
                data[rng.randrange(len(data))] = rng.randrange(256)
            doc_for(page, bytes(data), "document with random bytes changed")
        else:
            doc_for(page, json_text(page_document(page)))
        checked = page in intact or (page not in special and page % 3 == 2)
        # Every page's sentences get narration of every bad kind, and captions.
        for index in range(1, 4):
            make_narration(book, page, index, NARRATION_KINDS[(page + index) % len(NARRATION_KINDS)], checked)
            key = caption_key(page, index)
            if (page + index) % 5 == 0:
                book.missing("Stringstr.xml:" + key, "no caption", key if checked else None)
            elif (page + index) % 5 == 1:
                captioned.append((page, index, "A" * 1000 + "\u00e9" * 500))  # 2,000 bytes of UTF-8
                book.note("Stringstr.xml:" + key, "caption of 2,000 bytes", key if checked else None)
            elif (page + index) % 5 == 2:
                captioned.append((page, index, b"bad \xff\xfe \xc0\x80 \xed\xa0\x80 \xf4\x90\x80\x80 \xe2\x82 end"))
                book.note("Stringstr.xml:" + key, "caption that is not valid UTF-8", key if checked else None)
            else:
                captioned.append((page, index, "Sentence %d of page %d." % (index, page)))
    return captioned


def frame_image(frame):
    o = options("frame-" + frame, 100, 100, 50, 50, fileNameData={"resourceType": 1, "path": frame}, scale9Enable=False)
    return {"classname": "ImageView", "name": o["name"], "options": o, "children": []}


def unknown_classes():
    node = {"classname": "NoSuchWidget", "options": options("unknown", 0, 0, 10, 10), "children": [
        {"classname": 5, "options": {}, "children": [label("lost", "under a widget that is not made")]},
        {"classname": "ListView", "options": options("list", 0, 0, 10, 10), "children": []},
        {"options": {}, "children": []},
    ]}
    return node


def huge_document(page):
    doc = page_document(page, children=[label("big%d" % i, "word " * 40) for i in range(200)])
    text = json_text(doc)
    padding = TEN_MIB - len(text) - 32
    doc["padding"] = "x" * padding
    return json_text(doc)


def deep_document(page):
    doc = page_document(page)
    text = json_text(doc)
    # Put the deep chain as the first child of the root panel, and a 5,000-deep array elsewhere.
    marker = '"children":['
    at = text.index(marker) + len(marker)
    deep = nested_widgets(5000)
    text = text[:at] + deep + "," + text[at:]
    return text[:-1] + ',"deepArray":' + "[" * 5000 + "]" * 5000 + "}"


def make_settings(book):
    book.write("3age/pageset.json", '{"widgetTree":{"classname":"Panel","children":[{"classname":"TextButton",'
               '"options":{"name":"bnok","x":"left"}}', "truncated settings document")


def main():
    if len(sys.argv) != 2:
        print("usage: make_hostile_book.py OUT_DIR", file=sys.stderr)
        return 2
    root = sys.argv[1]
    if os.path.exists(root):
        shutil.rmtree(root)
    os.makedirs(root)
    book = Book(root)
    make_images(book)
    captioned = make_pages(book)
    make_strings(book, captioned)
    make_settings(book)
    with open(os.path.join(root, "MANIFEST.json"), "w") as f:
        json.dump(book.manifest, f, indent=1)
    return 0


if __name__ == "__main__":
    sys.exit(main())
