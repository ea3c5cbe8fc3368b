#!/usr/bin/env python3
"""Writes a copy of the sample book whose captions are in the learners' own languages.

    tests/multilingual/make_book.py OUT [BOOK]

OUT gets links to every entry of BOOK (default: the sample book beside this file) except the two
string tables, which are copies with new texts, and page 5's word timings, left out: the idle caption greets in seven scripts, one a
line, and page 5's twelve sentences are captioned in Chinese, Arabic, Hebrew, Hindi, Thai,
Russian, Greek, Japanese, a 40-character Chinese sentence, Arabic with an English name,
unassigned code points (which no font has) and English. OUT/multilingual.json is a UI document
that sets such captions side by side, each as the reader's caption is set (Arial 22, blue), for
one picture of them all (the driver script's `document multilingual.json`).
"""

import hashlib
import json
import os
import re
import sys
from xml.sax.saxutils import escape

GREETINGS = [
    "早上好，皮普！",
    "صباح الخير يا بيب!",
    "בוקר טוב, פיפ!",
    "सुप्रभात, पिप!",
    "สวัสดีตอนเช้า ปิ๊ป!",
    "Доброе утро, Пип!",
    "Καλημέρα, Πιπ!",
]

PAGE5 = [
    "早上好，皮普！",
    "أنا أستيقظ.",
    "אני קם מהמיטה.",
    "मैं अपना चेहरा धोता हूँ।",
    "ฉันแปรงฟัน",
    "Я надеваю рубашку.",
    "Φοράω τις κάλτσες μου.",
    "くつをはきます。",
    "我每天早上七点起床，刷牙洗脸，穿好衣服，吃完早饭，背上书包，和小狗一起走去学校。",
    "أشرب الحليب مع Pip.",
    "\u0378\u0379\u0380",
    "Now I am ready!",
]


SAMPLES = [
    ("Chinese", GREETINGS[0]),
    ("Arabic", GREETINGS[1]),
    ("Hebrew", GREETINGS[2]),
    ("Hindi", GREETINGS[3]),
    ("Thai", GREETINGS[4]),
    ("Russian", GREETINGS[5]),
    ("Greek", GREETINGS[6]),
    ("Japanese", "おはよう、ピップ！"),
    ("Arabic and English", PAGE5[9]),
    ("Chinese, 40 characters,\nwrapped in 160 units", PAGE5[8]),
    ("Unassigned code points\n(no font has them)", PAGE5[10]),
]


def node(classname, name, children=(), **options):
    options["name"] = name
    return {"classname": classname, "options": options, "children": list(children)}


def document():
    """The samples in rows: what each is on the left, the caption on the right."""
    children = [node("Label", "title", text="Captions in the learner's language", fontName="Arial", fontSize=30,
                     x=320, y=925, colorR=40, colorG=60, colorB=110)]
    top = 880
    for i, (language, text) in enumerate(SAMPLES):
        width = 160 if "\n" in language else 360
        lines = 6 if "\n" in language else 1
        height = 30 * lines
        children.append(node("TextArea", "language%d" % i, text=language, fontName="Arial", fontSize=18,
                             areaWidth=220, areaHeight=height, hAlignment=0, vAlignment=1, anchorPointX=0,
                             anchorPointY=1, x=24, y=top, colorR=90, colorG=90, colorB=90))
        children.append(node("TextArea", "caption%d" % i, text=text, fontName="Arial", fontSize=22,
                             areaWidth=width, areaHeight=height, hAlignment=1, vAlignment=1, anchorPointX=0.5,
                             anchorPointY=1, x=430, y=top, colorR=0, colorG=0, colorB=255))
        top -= height + 22
    root = node("Panel", "multilingual", children, width=640, height=960, anchorPointX=0, anchorPointY=0,
                colorType=2, bgStartColorR=200, bgStartColorG=225, bgStartColorB=250, bgEndColorR=255,
                bgEndColorG=245, bgEndColorB=220, vectorX=0, vectorY=-1, bgColorOpacity=255)
    return {"version": "1.0.0.0", "designWidth": 640, "designHeight": 960, "widgetTree": root}


def retext(table, texts):
    """The property list with the strings of the given keys replaced."""
    def replace(match):
        key = match.group(1)
        return match.group(0) if key not in texts else "<key>%s</key>%s<string>%s</string>" % (
            key, match.group(2), escape(texts[key]))
    return re.sub(r"<key>([^<]*)</key>(\s*)<string>[^<]*</string>", replace, table)


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    out = sys.argv[1]
    book = os.path.abspath(sys.argv[2] if len(sys.argv) == 3 else
                           os.path.join(os.path.dirname(__file__), "..", "..", "book"))
    os.makedirs(out, exist_ok=True)
    for entry in os.listdir(book):
        if entry not in ("String.xml", "Stringstr.xml", "ft.xml", "epc"):
            os.symlink(os.path.join(book, entry), os.path.join(out, entry))
    # The tracks as they are; page 5's word timings are the English words, not these captions.
    os.makedirs(os.path.join(out, "epc"), exist_ok=True)
    english = {hashlib.md5(("mc05%d.mp3" % (i + 1)).encode()).hexdigest() + ".txt" for i in range(len(PAGE5))}
    for entry in os.listdir(os.path.join(book, "epc")):
        if entry not in english:
            os.symlink(os.path.join(book, "epc", entry), os.path.join(out, "epc", entry))
    texts = {"String.xml": {"bntext": "\n".join(GREETINGS)},
             "Stringstr.xml": {"str05%d" % (i + 1): text for i, text in enumerate(PAGE5)}}
    for name, new in texts.items():
        with open(os.path.join(book, name), encoding="utf-8") as table:
            content = retext(table.read(), new)
        with open(os.path.join(out, name), "w", encoding="utf-8") as table:
            table.write(content)
    with open(os.path.join(out, "multilingual.json"), "w", encoding="utf-8") as out_document:
        json.dump(document(), out_document, ensure_ascii=False, indent=1)
        out_document.write("\n")


if __name__ == "__main__":
    main()
