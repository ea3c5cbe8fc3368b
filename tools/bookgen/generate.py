#!/usr/bin/python3
"""Builds the sample book folder from story.txt.

    /usr/bin/python3 tools/bookgen/generate.py [--out DIR] [--no-audio]
    /usr/bin/python3 tools/bookgen/generate.py --preview OUT.png PAGES...

PAGES are numbers, ranges or "settings" ("2 5 9 80-86"); the preview draws those pages
of an already generated book the way the reader lays them out, with the
sentence hotspots outlined.
"""

import argparse
import json
import os
import plistlib
import shutil
import sys
from concurrent.futures import ThreadPoolExecutor

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import documents  # noqa: E402
import names  # noqa: E402
import pages  # noqa: E402
import sheets  # noqa: E402
import speech  # noqa: E402
import story  # noqa: E402
import translations  # noqa: E402
import uiart  # noqa: E402

REPO = os.path.dirname(os.path.dirname(HERE))
GENERATED = ["english5down", "3age", "epc", "Images", "String.xml", "Stringstr.xml"]
# The caption tables in the learners' own languages, beside the book's own.
GENERATED += ["Stringstr.%s.xml" % tag for tag in translations.LANGUAGES]

# Deliberate gaps that the reader must survive; book/README.md lists them.
MISSING_CAPTIONS = {"str072"}

STRINGS = [
    ("setmenu_set", "Settings"),
    ("main_page", "Home"),
    # The start caption sits over the previous and next items of every page, so it stays
    # empty; the first page of each unit shows the hint where it covers nothing (story.txt).
    ("bntext", ""),
    ("wordname", "Words"),
    ("page_front", "Page"),
    ("page_after", ""),
    # The reader's window title.
    ("book_title", "Pip and Biscuit"),
]

JPEG_QUALITY = 88


def save_png(img, path, palette=True):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    if palette:
        img = sheets.palette_png(img.convert("RGBA"))
    img.save(path, "PNG", optimize=True)


def save_jpeg(img, path):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    img.convert("RGB").save(path, "JPEG", quality=JPEG_QUALITY, optimize=True, subsampling=0)


def write_json(path, doc):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="ascii", newline="\n") as f:
        f.write(json.dumps(doc, indent=1, ensure_ascii=True))
        f.write("\n")


def write_plist(path, mapping):
    with open(path, "wb") as f:
        f.write(plistlib.dumps(mapping, sort_keys=False))


def clean(out):
    for name in GENERATED:
        path = os.path.join(out, name)
        if os.path.isdir(path):
            shutil.rmtree(path)
        elif os.path.exists(path):
            os.remove(path)


def build_images(out, book):
    img = os.path.join(out, "Images")
    save_png(uiart.hotspot(False), os.path.join(img, "bnren1.png"), palette=False)
    save_png(uiart.hotspot(True), os.path.join(img, "bnren2.png"), palette=False)
    save_png(uiart.caption_plate(), os.path.join(img, "bnchback1.png"))
    save_png(uiart.arrow("left", False), os.path.join(img, "up1.png"))
    save_png(uiart.arrow("left", True), os.path.join(img, "up2.png"))
    save_png(uiart.arrow("right", False), os.path.join(img, "next1.png"))
    save_png(uiart.arrow("right", True), os.path.join(img, "next2.png"))
    save_png(uiart.play_button(), os.path.join(img, "play_btn.png"))
    save_png(uiart.pause_button(), os.path.join(img, "pause_btn.png"))
    save_png(uiart.mascot(), os.path.join(img, "grossini.png"))
    save_jpeg(uiart.drag_hint(), os.path.join(img, "drag.jpg"))
    save_png(uiart.banner(), os.path.join(img, "banner.png"))
    for look in ("normal", "pressed", "selected"):
        save_png(uiart.setting_plate(look), os.path.join(img, "set_%s.png" % look))
    save_jpeg(uiart.settings_background(), os.path.join(img, "settings_bg.jpg"))

    # sprite sheets
    cast = {name: make() for name, make in sheets.CAST.items()}
    write_sheet(img, "cast", cast, 1024)
    words = {}
    for page in book:
        for index, word in enumerate(page.words):
            icon = sheets.card_icon(word)
            normal = sheets.render_card(word, index, False, icon)
            pressed = sheets.render_card(word, index, True, icon)
            if page.number in documents.WORDS_SHEET_PAGES:
                words["w_%s.png" % word] = normal
                words["w_%s_on.png" % word] = pressed
            else:
                save_png(normal, os.path.join(img, "words", "%s.png" % word))
                save_png(pressed, os.path.join(img, "words", "%s_on.png" % word))
    write_sheet(img, "words", words, 2048)


def write_sheet(folder, base, frames, width):
    sheet, entries = sheets.pack(frames, width)
    save_png(sheet, os.path.join(folder, base + ".png"))
    with open(os.path.join(folder, base + ".plist"), "wb") as f:
        f.write(sheets.atlas_plist(entries, base + ".png", sheet.size))


def build_pages(out, book):
    for page in book:
        tl = pages.layout_text(page)
        save_jpeg(pages.render_page(page, tl),
                  os.path.join(out, "Images", "pages", "p%03d.jpg" % page.number))
        write_json(os.path.join(out, names.document_name(page.number)),
                   documents.page_document(page, tl))
    write_json(os.path.join(out, "3age", "pageset.json"), documents.settings_document())


def sentences_of(page):
    """(index, caption text, spoken text) of every sentence button of a page."""
    if page.is_words:
        return [(i, sheets.word_label(w), sheets.word_label(w))
                for i, w in enumerate(page.words, 1)]
    return [(i, t, t) for i, t in page.sentences]


def build_strings(out, book):
    write_plist(os.path.join(out, "String.xml"), dict(STRINGS))
    captions = {}
    for page in book:
        for index, text, _ in sentences_of(page):
            key = names.caption_key(page.number, index)
            if key not in MISSING_CAPTIONS:
                captions[key] = text
    write_plist(os.path.join(out, "Stringstr.xml"), captions)
    # A page's hint line is a label of its document; the tables in other languages carry it
    # under the page's hint key, for the reader to put in its place.
    hints = {names.hint_key(page.number): page.hint for page in book if page.hint}
    for tag, texts in translations.tables(captions, hints).items():
        write_plist(os.path.join(out, "Stringstr.%s.xml" % tag), texts)


def build_narration(out, book, jobs=2):
    work = []
    for page in book:
        for index, _, spoken in sentences_of(page):
            work.append((spoken, os.path.join(out, names.narration_file(page.number, index))))
    os.makedirs(os.path.join(out, "epc"), exist_ok=True)
    with ThreadPoolExecutor(max_workers=jobs) as pool:
        for f in [pool.submit(speech.speak, text, path) for text, path in work]:
            f.result()


def build_word_timings(out, book, jobs=2):
    """A label file beside every captioned sentence's track (see wordtimes.py)."""
    import wordtimes
    work = []
    for page in book:
        for index, text, _ in sentences_of(page):
            if names.caption_key(page.number, index) in MISSING_CAPTIONS:
                continue
            track = os.path.join(out, names.narration_file(page.number, index))
            work.append((text, track, track[:-len(".mp3")] + ".txt"))
    shifts = wordtimes.build_labels(work, jobs)
    if shifts:
        print("word timings: %d files, MP3 start shift %.1f to %.1f ms (measured per file)"
              % (len(shifts), min(shifts) * 1000, max(shifts) * 1000))


def parse_pages(selections):
    out = []
    for selection in selections:
        for item in selection.split(","):
            if item == "settings":
                out.append(item)
            elif "-" in item:
                a, b = item.split("-")
                out.extend(range(int(a), int(b) + 1))
            elif item:
                out.append(int(item))
    return out


def main(argv=None):
    ap = argparse.ArgumentParser(description="Generate the Lirava sample book.")
    ap.add_argument("--out", default=os.path.join(REPO, "book"),
                    help="book folder to write (default: the repository's book/)")
    ap.add_argument("--story", default=os.path.join(HERE, "story.txt"))
    ap.add_argument("--no-audio", action="store_true", help="skip the narration files")
    ap.add_argument("--preview", metavar="OUT_PNG",
                    help="draw pages of the generated book into OUT_PNG instead of generating")
    ap.add_argument("--jobs", type=int, default=2)
    ap.add_argument("pages", nargs="*", help="pages for --preview")
    args = ap.parse_args(argv)

    if args.preview:
        import preview
        numbers = parse_pages(args.pages) or [2, 5, 9, 44, 86]
        preview.render(args.out, numbers, args.preview)
        return 0

    book = story.load(args.story)
    os.makedirs(args.out, exist_ok=True)
    clean(args.out)
    build_images(args.out, book)
    build_pages(args.out, book)
    build_strings(args.out, book)
    if not args.no_audio:
        build_narration(args.out, book, args.jobs)
        build_word_timings(args.out, book, args.jobs)
    return 0


if __name__ == "__main__":
    sys.exit(main())
