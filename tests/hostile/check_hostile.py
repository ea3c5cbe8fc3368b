#!/usr/bin/env python3
"""lirava-check over the hostile book: it must fail, and every bad file the generator lists in
MANIFEST.json must appear in its findings with what is wrong with it.

    check_hostile.py GENERATOR LIRAVA_CHECK
"""

import json
import os
import re
import shutil
import subprocess
import sys
import tempfile


def main():
    generator, checker = sys.argv[1], sys.argv[2]
    work = tempfile.mkdtemp(prefix="lirava-hostile-check-")
    try:
        book = os.path.join(work, "book")
        subprocess.run([sys.executable, generator, book], check=True)
        with open(os.path.join(book, "MANIFEST.json")) as f:
            manifest = json.load(f)
        proc = subprocess.run([checker, "--resources", book], capture_output=True, text=True, errors="replace",
                              timeout=600, env=dict(os.environ, SDL_AUDIODRIVER="dummy"))
        problems = []
        if proc.returncode != 1:
            problems.append("lirava-check exited %d, not 1: %s" % (proc.returncode, proc.stderr[-400:]))
        findings = proc.stdout.split("\nfindings:\n", 1)[-1].split("\n\n", 1)[0].splitlines()
        findings = [line.strip() for line in findings if line.strip()]
        reported = 0
        for entry in manifest:
            text = entry.get("report")
            if not text:
                continue
            if isinstance(text, dict):
                # A document that reads but holds bad values: a finding of that code on its row.
                pattern = re.compile(r"^%s: %s( |$)" % (re.escape(text["scope"]), re.escape(text["code"])))
            else:
                # "scope: code detail[: why]": the detail names the file (or key, or narration).
                pattern = re.compile(r": [a-z-]+ (\S*/)?%s(\S*)?(:| |$)" % re.escape(text))
            if any(pattern.search(line) for line in findings):
                reported += 1
            else:
                problems.append("%s (%s) is not in the findings" % (entry["file"], entry["problem"]))
        summary = proc.stdout.strip().splitlines()[-1] if proc.stdout.strip() else ""
        print("lirava-check: %d findings; %d of %d listed problems reported; %s"
              % (len(findings), reported, sum(1 for e in manifest if e.get("report")), summary))
        for p in problems:
            print("FAIL: " + p)
        return 1 if problems else 0
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
