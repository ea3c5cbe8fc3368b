#!/usr/bin/env python3
"""Caption tables in other languages with faults: a copy of the sample book whose Spanish table
lacks one caption and which carries a table under a name that is no language tag. lirava-check
reports both, and the reader shows the book's own caption where the Spanish one is missing.

    test_caption_tables.py LIRAVA_CHECK LIRAVA BOOK
"""

import json
import os
import re
import subprocess
import sys
import tempfile

READ_PAGE5_SENTENCE2 = """wait 0.1
click 320 860
wait 2.5
click 320 560
wait 0.1
click 320 843
wait 0.3
dump
"""


def main():
    check, reader, book = sys.argv[1], sys.argv[2], os.path.abspath(sys.argv[3])
    failures = []
    with tempfile.TemporaryDirectory() as folder:
        copy = os.path.join(folder, "book")
        os.mkdir(copy)
        for entry in os.listdir(book):
            if entry not in ("Stringstr.es.xml", "ft.xml"):
                os.symlink(os.path.join(book, entry), os.path.join(copy, entry))
        with open(os.path.join(book, "Stringstr.es.xml"), encoding="utf-8") as source:
            spanish = source.read()
        without = re.sub(r"\s*<key>str052</key>\s*<string>[^<]*</string>", "", spanish)
        assert without != spanish
        with open(os.path.join(copy, "Stringstr.es.xml"), "w", encoding="utf-8") as out:
            out.write(without)
        with open(os.path.join(copy, "Stringstr.en_GB.xml"), "w", encoding="utf-8") as out:
            out.write(spanish)

        run = subprocess.run([check, "--resources", copy], capture_output=True, text=True, timeout=600)
        for line in ("  reader: missing-translation es:str052: the book's own text shows instead",
                     "  reader: bad-language-tag Stringstr.en_GB.xml: not a BCP 47 language tag"):
            if line not in run.stdout.splitlines():
                failures.append("lirava-check: no line %r" % line)
        if run.returncode != 1 or "; 2 problems, 3 expected" not in run.stdout:
            failures.append("lirava-check: exit status %d\n%s" % (run.returncode, run.stdout))

        script = os.path.join(folder, "read.txt")
        with open(script, "w") as out:
            out.write(READ_PAGE5_SENTENCE2)
        env = {k: v for k, v in os.environ.items() if k not in ("LANGUAGE", "LC_ALL", "LC_MESSAGES")}
        env.update(SDL_AUDIODRIVER="dummy", LANG="C.UTF-8")
        run = subprocess.run([reader, "--headless", "--resources", copy, "--captions", "es", "--script", script],
                             capture_output=True, text=True, timeout=300, cwd=folder, env=env)
        states = [json.loads(line[6:]) for line in run.stdout.splitlines() if line.startswith("state ")]
        caption = states[-1]["caption"] if states else None
        if run.returncode != 0 or not caption or caption["text"] != "I wake up." or caption["language"] != "en":
            failures.append("reader: status %d, caption %r" % (run.returncode, caption))
        if states and states[-1]["captionLanguages"] != ["en", "ar", "es", "zh-Hans"]:
            failures.append("reader: languages %r" % states[-1]["captionLanguages"])
    for failure in failures:
        print("FAIL:", failure, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
