#!/usr/bin/env python3
"""Writes a copy of the sample book whose page 5 holds text that no reader should trip on.

    tests/text/make_text_book.py OUT [BOOK]

OUT gets links to every entry of BOOK (default: the sample book beside this file) except the
caption table and page 5's document. Page 5's twelve captions are CAPTIONS (each under the 1600
bytes at which the reader hides a caption), and its document gains one text area per entry of
LABELS, which may be longer. Bytes that are not UTF-8 go into the files as they are.
"""

import json
import os
import re
import sys

MARKS = "\u0301\u0308\u0323\u0330"

CAPTIONS = [
    "Hi \uffff there".encode(),
    # Noncharacters of the first plane, the last plane and the Arabic block.
    "\ufffe one \U0001fffe two \U0010ffff three \ufdd0".encode(),
    # Encoded surrogates (one lone, one pair), overlong forms, a cut-off character, stray bytes.
    b"a \xed\xa0\x80 b \xed\xa0\xbd\xed\xb8\x80 c \xc0\xaf \xe0\x80\xaf d \xe2\x82 e \xff\xfe\x80",
    # Unassigned and private-use code points.
    "\u0378 \u0379 \ue000 \U000f0000 \U0010fffd".encode(),
    # One letter carrying as many marks as fit.
    ("e" + MARKS * 199).encode(),
    # Embeddings and isolates past the deepest level, never closed.
    ("\u202b\u202e" * 70 + "abc \u05d0\u05d1 " + "\u2067\u2068" * 60 + "def").encode(),
    # Nothing but characters that draw nothing.
    "\u200b\u200c\u200d\u2060\ufeff\u00ad\u180e\u2061 \u202a\u202c\u034f".encode(),
    # One word of 1599 bytes that no rule may break.
    ("w" * 1599).encode(),
    # A long emoji sequence held together by joiners and modifiers, then flags.
    ("\U0001f468\U0001f3fd\u200d" * 60 + "\U0001f467 \U0001f1ec\U0001f1e7\U0001f1fa\U0001f1f8").encode(),
    # One long joining run of Arabic letters.
    ("\u0628\u0640" * 199 + " \u0647").encode(),
    # Line and paragraph separators and controls.
    "one\u2028two\u2029three\u0085four\x07\x1bfive\ttab".encode(),
    b"Now I am ready!",
]

LABELS = [
    "Hi \uffff there",
    "e" + MARKS * 1000,
    "\u2067" * 300 + "\u202b" * 300 + "x",
    "\U0001f469\u200d" * 300,
    "\u0915\u094d" * 400 + "\u0937",
]


def escape(data):
    return data.replace(b"&", b"&amp;").replace(b"<", b"&lt;").replace(b">", b"&gt;")


def captions(table):
    """The caption table with page 5's captions replaced."""
    def replace(match):
        key = match.group(1).decode()
        if not key.startswith("str05") or not 1 <= int(key[5:]) <= len(CAPTIONS):
            return match.group(0)
        return b"<key>%s</key>%s<string>%s</string>" % (match.group(1), match.group(2),
                                                         escape(CAPTIONS[int(key[5:]) - 1]))
    return re.sub(rb"<key>([^<]*)</key>(\s*)<string>[^<]*</string>", replace, table)


def page(document):
    """Page 5's document with a column of text areas down its left side."""
    children = document["widgetTree"]["children"]
    for i, text in enumerate(LABELS):
        children.append({"classname": "TextArea", "children": [], "options": {
            "name": "text%d" % i, "text": text, "fontName": "Arial", "fontSize": 18, "areaWidth": 150,
            "areaHeight": 60, "hAlignment": i % 3, "vAlignment": 1, "anchorPointX": 0, "anchorPointY": 1,
            "x": 8, "y": 940 - 70 * i, "colorR": 0, "colorG": 0, "colorB": 0}})
    return document


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    out = sys.argv[1]
    book = os.path.abspath(sys.argv[2] if len(sys.argv) == 3 else
                           os.path.join(os.path.dirname(__file__), "..", "..", "book"))
    os.makedirs(os.path.join(out, "english5down"), exist_ok=True)
    for entry in os.listdir(book):
        if entry not in ("Stringstr.xml", "ft.xml", "english5down"):
            os.symlink(os.path.join(book, entry), os.path.join(out, entry))
    pages = os.path.join(book, "english5down")
    for entry in os.listdir(pages):
        if entry != "english5down_5.json":
            os.symlink(os.path.join(pages, entry), os.path.join(out, "english5down", entry))
    with open(os.path.join(book, "Stringstr.xml"), "rb") as table:
        content = captions(table.read())
    with open(os.path.join(out, "Stringstr.xml"), "wb") as table:
        table.write(content)
    with open(os.path.join(pages, "english5down_5.json"), encoding="utf-8") as document:
        content = page(json.load(document))
    with open(os.path.join(out, "english5down", "english5down_5.json"), "w", encoding="utf-8") as document:
        json.dump(content, document, ensure_ascii=True, indent=1)


if __name__ == "__main__":
    main()
