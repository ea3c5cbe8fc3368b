"""Opens a made book in the reader, headless, and touches every sentence of every page that has
sentences, one reader run a page."""

import glob
import json
import os
import re
import subprocess

UNIT_FIRST_PAGES = [2, 14, 26, 38, 44, 56, 68, 80, 86]


def sentence_buttons(book, page):
    """(name, x, y) of the page's sentence buttons, centres in design coordinates (y up)."""
    with open(os.path.join(book, "english5down", "english5down_%d.json" % page)) as f:
        doc = json.load(f)
    out = []
    for holder in doc["widgetTree"]["children"]:
        if holder["options"]["name"] != "sentences":
            continue
        hx, hy = holder["options"]["x"], holder["options"]["y"]
        for button in holder["children"]:
            o = button["options"]
            out.append((o["name"], hx + o["x"], hy + o["y"]))
    return out


def pages_with_sentences(book):
    pages = []
    for path in glob.glob(os.path.join(book, "english5down", "english5down_*.json")):
        page = int(re.search(r"_(\d+)\.json$", path).group(1))
        if sentence_buttons(book, page):
            pages.append(page)
    return sorted(pages)


def open_page_script(page):
    unit = max(u for u, first in enumerate(UNIT_FIRST_PAGES) if first <= page)
    row = page - UNIT_FIRST_PAGES[unit]
    return ["wait 0.1", "click 320 %d" % (860 - 100 * unit), "wait 2.5",
            "click 320 %d" % (860 - 100 * row), "wait 0.6"]


def touch_every_sentence(reader, book, page, resources=None):
    """Runs the reader on one page of `resources` (default: the folder `book`, whose documents
    give the buttons); returns [(button, dump)] after touching each sentence."""
    lines = open_page_script(page)
    buttons = sentence_buttons(book, page)
    for name, x, y in buttons:
        lines += ["click %d %d" % (round(x), round(y)), "wait 0.2", "dump"]
    lines.append("quit")
    run = subprocess.run([reader, "--headless", "--resources", resources or book, "--script", "-"],
                         input="\n".join(lines) + "\n", capture_output=True, text=True, timeout=300)
    if run.returncode != 0:
        raise AssertionError("the reader failed on page %d: %s" % (page, run.stderr[-2000:]))
    dumps = [json.loads(l[len("state "):]) for l in run.stdout.splitlines() if l.startswith("state ")]
    return list(zip([b[0] for b in buttons], dumps))
