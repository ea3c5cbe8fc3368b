#!/usr/bin/env python3
"""Generates the hostile book and drives the reader through every page of it.

    run_hostile.py GENERATOR LIRAVA [--keep DIR]

From the home screen: unit 1, its first page, then on every page the three sentence buttons the
generator puts on it, auto-play on and off, the next item, a swipe back and a swipe forward, a
dump; 94 swipes take it to the last page. The run must end with status 0 (no crash, no hang: the
test's timeout catches one), every page from 2 to 96 must have been shown (a missing or broken
page still shows and still turns), and the home item must still lead home at the end.
"""

import argparse
import json
import os
import shutil
import subprocess
import sys
import tempfile

PAGE_STEPS = """click 320 640
wait 0.2
click 320 580
wait 0.2
click 320 520
wait 0.2
click 580 40
wait 0.6
click 580 40
wait 0.1
drag 240 380 300 380 4
wait 0.7
drag 400 380 340 380 4
wait 0.7
dump
"""


def script():
    lines = ["wait 0.1", "dump", "click 320 860", "wait 2.5", "click 320 860", "wait 0.3", "dump"]
    text = "\n".join(lines) + "\n"
    for _ in range(2, 96):
        text += PAGE_STEPS
        text += "drag 400 380 340 380 4\nwait 0.7\n"
    text += "dump\nclick 60 30\nwait 0.5\ndump\n"
    return text


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("generator")
    parser.add_argument("program")
    parser.add_argument("--keep")
    args = parser.parse_args()
    work = tempfile.mkdtemp(prefix="lirava-hostile-")
    book = args.keep or os.path.join(work, "book")
    try:
        subprocess.run([sys.executable, args.generator, book], check=True)
        script_path = os.path.join(work, "script.txt")
        with open(script_path, "w") as f:
            f.write(script())
        proc = subprocess.run([args.program, "--headless", "--resources", book, "--script", script_path],
                              capture_output=True, text=True, errors="replace",
                              env=dict(os.environ, SDL_AUDIODRIVER="dummy"))
        states = [json.loads(line[6:]) for line in proc.stdout.splitlines() if line.startswith("state ")]
        problems = []
        if proc.returncode != 0:
            problems.append("exit status %d: %s" % (proc.returncode, proc.stderr.strip()[-600:]))
        pages = {s.get("currentPage") for s in states if s.get("layer") in ("TestLayer1", "TestLayer2")}
        missing = sorted(set(range(2, 97)) - pages)
        if missing:
            problems.append("pages never shown: %s" % missing)
        home = [s for s in states if s.get("layer") == "TestController"]
        if len(home) < 2:
            problems.append("did not come back home (%d home dumps)" % len(home))
        print("hostile book: %d dumps, %d pages shown, exit %d" % (len(states), len(pages), proc.returncode))
        for p in problems:
            print("FAIL: " + p)
        return 1 if problems else 0
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
