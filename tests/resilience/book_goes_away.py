#!/usr/bin/env python3
"""The book folder goes away while the reader runs, and comes back.

    book_goes_away.py LIRAVA BOOK_DIR [--window]

Runs the reader headless (or, with --window, in a real window under Xvfb) on a folder of links to
the book, opens a page, moves the folder away, then turns ten pages touching a sentence on each,
opens and leaves the settings screen and goes home; then puts the folder back and reads a sentence.
The reader must answer every dump, exit cleanly, log each missing file at most once, and in a
window must not spin while it rests on a page whose files are gone. Exit status 77 (skipped) with
--window when Xvfb is missing.
"""

import collections
import os
import shutil
import subprocess
import sys
import tempfile
import time

from scripted_reader import ScriptedReader

# Lines every scene change logs; they repeat by design.
SCENE_LINES = ("Scene ", "---")


def run(program, book, work, window, problems):
    resources = os.path.join(work, "book")
    os.mkdir(resources)
    for name in os.listdir(book):
        if name != "ft.xml":
            os.symlink(os.path.join(os.path.abspath(book), name), os.path.join(resources, name))
    with open(os.path.join(resources, "ft.xml"), "w") as f:
        f.write("awayawayawayawayawayaw\n")
    env = dict(os.environ, SDL_AUDIODRIVER="dummy")
    if window:
        # The window's libraries (the session bus client among them) leak at exit in sanitizer builds.
        env["ASAN_OPTIONS"] = os.environ.get("ASAN_OPTIONS", "") + ":detect_leaks=0"
    reader = ScriptedReader([program, "--resources", resources, "--script", "-"] + ([] if window else ["--headless"]), env)
    try:
        # Unit 1, its first page, a sentence.
        reader.send("wait 0.1", "click 320 860", "wait 2.5", "click 320 560", "wait 0.3", "click 320 885", "wait 0.3")
        start = reader.dump()
        if not start.get("music"):
            problems.append("no narration before the book went away: %r" % start)
        seen = len(reader.lines)

        os.rename(resources, resources + "-away")
        page = start.get("currentPage")
        for _ in range(10):
            reader.send("click 366 52", "wait 1.2", "click 320 885", "wait 0.3")
            state = reader.dump()
            if state.get("currentPage") != page + 1:
                problems.append("the next item went from page %s to %s" % (page, state.get("currentPage")))
            page = state.get("currentPage") or page
        reader.send("settings", "wait 0.6")
        if "settings" not in reader.dump():
            problems.append("the settings screen did not open")
        reader.send("click 430 290", "wait 0.6", "click 60 30", "wait 1.0")
        home = reader.dump()
        if home.get("layer") != "TestController":
            problems.append("home did not open: %r" % home.get("layer"))
        if window:
            # Resting with the files gone must cost next to nothing (a retry every frame would not).
            before = reader.cpu_seconds()
            reader.send("click 320 860", "wait 2.5", "click 320 560", "wait 3")
            reader.dump()
            busy = reader.cpu_seconds() - before
            reader.send("click 60 30", "wait 1.0")
            print("CPU on a page of the missing book: %.2f s in 5.5 s" % busy)
            if busy > 3.0:
                problems.append("%.1f s of CPU in 5.5 s on a page of a missing book" % busy)

        repeated = [(line, n) for line, n in collections.Counter(reader.lines[seen:]).items()
                    if n > 1 and not line.startswith(SCENE_LINES) and "read json file" not in line]
        if repeated:
            problems.append("lines logged more than once: %r" % repeated[:5])

        os.rename(resources + "-away", resources)
        reader.send("click 320 860", "wait 2.5", "click 320 560", "wait 0.3", "click 320 885", "wait 0.3")
        back = reader.dump()
        if not back.get("music"):
            problems.append("no narration once the book was back: %r" % back)
        for line in reader.lines[seen:]:
            if os.environ.get("LIRAVA_TEST_VERBOSE") and not line.startswith(SCENE_LINES):
                print("  " + line)
        print("book away and back (%s): %d lines logged while away"
              % ("window" if window else "headless", len(reader.lines) - seen))
    finally:
        status = reader.close()
        if status != 0:
            problems.append("the reader exited with %s" % status)


def main():
    if len(sys.argv) < 3:
        print(__doc__)
        return 2
    program, book = sys.argv[1], sys.argv[2]
    window = "--window" in sys.argv
    if window and "--inside" not in sys.argv:
        for tool in ("xvfb-run", "Xvfb"):
            if not shutil.which(tool):
                print("skipped: %s is not installed" % tool)
                return 77
        command = ["xvfb-run", "-a", "-s", "-screen 0 1024x1024x24", sys.executable, os.path.abspath(__file__),
                   program, book, "--window", "--inside"]
        return subprocess.run(command, timeout=280).returncode
    work = tempfile.mkdtemp(prefix="lirava-away-")
    problems = []
    try:
        run(program, book, work, window, problems)
    except (RuntimeError, OSError, ValueError) as error:
        problems.append("%s: %s" % (type(error).__name__, error))
    finally:
        shutil.rmtree(work, ignore_errors=True)
    for p in problems:
        print("FAIL: " + p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
