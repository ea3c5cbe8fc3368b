#!/usr/bin/env python3
"""Shows captions of page 5 of the multilingual book (make_book.py) in the reader, headless, and
checks how they are drawn.

    check_captions.py wrap LIRAVA WORD_BOUNDARIES
                                     Thai, Lao, Khmer and Burmese sentences without spaces wrap
                                     into several lines, each ending where ICU's word iterator
                                     puts a boundary, drawn with no missing glyph.
    check_captions.py marks LIRAVA   Devanagari and Thai with marks stacked above and below: every
                                     pixel the caption changes lies inside the plate, and its ink
                                     stays clear of the label's top and bottom edges (no mark cut).
"""

import json
import os
import struct
import subprocess
import sys
import tempfile
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import make_book  # noqa: E402

WRAPPED = [
    ("th", "ฉันตื่นนอนตอนเจ็ดโมงเช้าแล้วแปรงฟันล้างหน้าแต่งตัวและกินข้าวเช้ากับแม่"),
    ("lo", "ຂ້ອຍຕື່ນນອນຕອນເຊົ້າແລ້ວແປງແຂ້ວລ້າງໜ້າແລະກິນເຂົ້າເຊົ້າກັບແມ່"),
    ("km", "ខ្ញុំក្រោកពីគេងនៅពេលព្រឹកហើយដុសធ្មេញលាងមុខនិងញ៉ាំអាហារពេលព្រឹកជាមួយម្តាយ"),
    ("my", "ကျွန်တော်မနက်စောစောအိပ်ရာထပြီးသွားတိုက်မျက်နှာသစ်ပြီးအမေနဲ့အတူမနက်စာစားတယ်"),
]
STACKED = [
    "कृष्ण ने पूँछ हिलाई, दृश्य सुंदर हुआ",
    "ปู่ชี้ที่น้ำแข็ง ปิ๊ปยิ้มกว้าง ญี่ปุ่น",
]
# The page's sentence buttons from the top, and the way from the start to page 5.
SENTENCE_Y = [885, 843, 801, 759]
TO_PAGE5 = "wait 0.1\nclick 320 860\nwait 2.5\nclick 320 560\nwait 0.1\n"
FRAME = (640, 960)


def make(folder, texts):
    """The multilingual book with page 5's first sentences captioned in TEXTS."""
    book = os.path.join(folder, "book")
    subprocess.run([sys.executable, os.path.join(HERE, "make_book.py"), book], check=True)
    table = os.path.join(book, "Stringstr.xml")
    with open(table, encoding="utf-8") as source:
        content = make_book.retext(source.read(), {"str05%d" % (i + 1): t for i, t in enumerate(texts)})
    with open(table, "w", encoding="utf-8") as out:
        out.write(content)
    return book


def run(lirava, book, script, *options):
    """The dumps of a headless run of SCRIPT."""
    env = {k: v for k, v in os.environ.items() if k not in ("LANGUAGE", "LC_ALL", "LC_MESSAGES")}
    env.update(SDL_AUDIODRIVER="dummy", LANG="C.UTF-8")
    done = subprocess.run([os.path.abspath(lirava), "--headless", "--resources", book, "--script", "-"] + list(options),
                          input=script, cwd=book, capture_output=True, text=True, timeout=300, env=env)
    if done.returncode != 0:
        sys.exit("FAIL: the reader ended with status %d\n%s" % (done.returncode, done.stderr))
    return [json.loads(line[6:]) for line in done.stdout.splitlines() if line.startswith("state ")]


def word_boundaries(program, text):
    done = subprocess.run([program, text], capture_output=True, text=True, check=True)
    return {int(offset) for offset in done.stdout.split()}


def check_wrap(folder, lirava, boundaries_program):
    book = make(folder, [text for _, text in WRAPPED])
    script = TO_PAGE5 + "".join("click 320 %d\nwait 0.3\ndump\n" % y for y in SENTENCE_Y[:len(WRAPPED)])
    failures = []
    for (language, text), state in zip(WRAPPED, run(lirava, book, script)):
        caption = state["caption"]
        lines = caption["lines"]
        if caption["text"] != text or caption["missingGlyphs"] != 0 or len(lines) < 2 or "".join(lines) != text:
            failures.append("%s: caption %r, %d missing glyphs, lines %r" %
                            (language, caption["text"], caption["missingGlyphs"], lines))
            continue
        boundaries = word_boundaries(boundaries_program, text)
        end = 0
        for line in lines[:-1]:
            end += len(line)
            if end not in boundaries:
                failures.append("%s: the line %r ends inside a word" % (language, line))
    return failures


def read_png(path):
    """Width, height and rows of (r, g, b) of an 8-bit RGB or RGBA PNG without interlacing."""
    with open(path, "rb") as source:
        data = source.read()
    position, chunks, header = 8, [], None
    while position < len(data):
        length, kind = struct.unpack(">I4s", data[position:position + 8])
        body = data[position + 8:position + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            chunks.append(body)
        position += 12 + length
    width, height, depth, colour, _, _, interlace = header
    channels = {2: 3, 6: 4}[colour]
    assert depth == 8 and interlace == 0
    raw = zlib.decompress(b"".join(chunks))
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b, c = previous[i], previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append([tuple(line[x:x + 3]) for x in range(0, stride, channels)])
        previous = line
    return width, height, rows


def check_marks(folder, lirava):
    book = make(folder, STACKED)
    failures = []
    shots = {}
    for mode in ("on", "off"):
        script = TO_PAGE5 + "".join("click 320 %d\nwait 0.3\ndump\nscreenshot %s/%s%d.png\n" % (y, folder, mode, i)
                                    for i, y in enumerate(SENTENCE_Y[:len(STACKED)]))
        shots[mode] = run(lirava, book, script, *(["--captions", "off"] if mode == "off" else []))
    for i, text in enumerate(STACKED):
        state = shots["on"][i]
        caption, plate = state["caption"], state["plate"]
        if caption["text"] != text or caption["missingGlyphs"] != 0 or not plate["visible"]:
            failures.append("%r: caption %r, %d missing glyphs, plate visible %s" %
                            (text, caption["text"], caption["missingGlyphs"], plate["visible"]))
            continue
        width, height, shown = read_png(os.path.join(folder, "on%d.png" % i))
        _, _, bare = read_png(os.path.join(folder, "off%d.png" % i))
        if (width, height) != FRAME:
            failures.append("a screenshot of %dx%d" % (width, height))
            continue
        # Design units to pixel rows and columns: one pixel a unit, rows counted from the top. The
        # plate and the caption are all that differ from the run without captions.
        (px, py), (pw, ph) = plate["position"], plate["size"]
        left, right, top, bottom = px - pw / 2, px + pw / 2, height - (py + ph / 2), height - (py - ph / 2)
        (_, cy), (_, ch) = caption["position"], caption["size"]
        label_top, label_bottom = height - (cy + ch / 2), height - (cy - ch / 2)
        changed = [(x, y) for y in range(height) for x in range(width) if shown[y][x] != bare[y][x]]
        outside = [(x, y) for x, y in changed if not (left <= x < right and top <= y < bottom)]
        if not changed or outside:
            failures.append("%r: %d changed pixels, %d outside the plate %r, first %r" %
                            (text, len(changed), len(outside), (left, top, right, bottom), outside[:3]))
            continue
        # The ink: the caption is blue on a cream plate with an orange rim.
        ink = [(x, y) for x, y in changed if shown[y][x][2] - max(shown[y][x][:2]) > 40]
        rows = [y for _, y in ink]
        if not ink or min(rows) <= label_top or max(rows) >= label_bottom - 1:
            failures.append("%r: ink from row %s to %s, the label from %s to %s" %
                            (text, min(rows, default=None), max(rows, default=None), label_top, label_bottom))
    return failures


def main():
    if sys.argv[1:2] not in (["wrap"], ["marks"]) or len(sys.argv) != (4 if sys.argv[1] == "wrap" else 3):
        sys.exit(__doc__)
    with tempfile.TemporaryDirectory(prefix="lirava-captions-") as folder:
        failures = (check_wrap if sys.argv[1] == "wrap" else check_marks)(folder, *sys.argv[2:])
    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
