"""Names the reader derives from a page number p and a sentence number i.

Button "bn", caption key "str" and narration "mc" names put a 0 after the
prefix on pages below 10, then the page and the sentence in decimal:
page 5 sentence 12 is bn0512 / str0512 / mc0512.mp3.  Narration files are
stored under the MD5 of their logical name.
"""

import hashlib


def sentence_name(prefix, page, index):
    return "%s%s%d%d" % (prefix, "0" if page < 10 else "", page, index)


def button_name(page, index):
    return sentence_name("bn", page, index)


def caption_key(page, index):
    return sentence_name("str", page, index)


def hint_key(page):
    """Key of a page's hint line in the caption tables of other languages."""
    return ("hint0%d" if page < 10 else "hint%d") % page


def narration_name(page, index):
    return sentence_name("mc", page, index) + ".mp3"


def narration_file(page, index):
    """Path of the narration file, relative to the book folder."""
    digest = hashlib.md5(narration_name(page, index).encode("ascii")).hexdigest()
    return "epc/%s.mp3" % digest


def sentence_key(page, index):
    """The number the page layer gives a sentence button as its action tag."""
    return page * 10 + index if index < 10 else page * 100 + index


def document_name(page):
    return "english5down/english5down_%d.json" % page
