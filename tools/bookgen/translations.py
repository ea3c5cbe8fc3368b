"""The captions in the learners' own languages, read from translations.txt."""

import os

HERE = os.path.dirname(os.path.abspath(__file__))

# BCP 47 tags of the tables, in the order of the columns after the English one.
LANGUAGES = ["zh-Hans", "es", "ar"]


class TranslationError(Exception):
    pass


def load(path=os.path.join(HERE, "translations.txt")):
    """{English text: {tag: text}} from the file."""
    table = {}
    with open(path, encoding="utf-8") as lines:
        for number, line in enumerate(lines, 1):
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            fields = [field.strip() for field in line.split(" | ")]
            if len(fields) != len(LANGUAGES) + 1 or not all(fields):
                raise TranslationError("translations.txt:%d: want %d fields" % (number, len(LANGUAGES) + 1))
            if fields[0] in table:
                raise TranslationError("translations.txt:%d: %r twice" % (number, fields[0]))
            table[fields[0]] = dict(zip(LANGUAGES, fields[1:]))
    return table


def tables(captions, hints):
    """{tag: {key: text}}: every caption (key -> English text) and every page hint (key ->
    English text) in each language; an English text without a translation is an error, so a
    new sentence in story.txt cannot go out untranslated."""
    table = load()
    out = {tag: {} for tag in LANGUAGES}
    for key, english in list(captions.items()) + list(hints.items()):
        if english not in table:
            raise TranslationError("no translation of %r (%s)" % (english, key))
        for tag in LANGUAGES:
            out[tag][key] = table[english][tag]
    return out
