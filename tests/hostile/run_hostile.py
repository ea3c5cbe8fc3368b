#!/usr/bin/env python3
"""Generates the hostile book and drives the reader through every page of it.

    run_hostile.py GENERATOR LIRAVA [--keep DIR]

The reader runs headless on the generated folder and reads its script from standard input, a
step at a time. From the home screen: unit 1, its first page; then on every page the three
sentence buttons the generator puts on it, auto-play on and off, a swipe back, and swipes forward
until the next page shows (a swipe that starts on a widget the page claims does not turn; a few
heights are tried). The run must end with status 0 (no crash; the test's timeout catches a
hang), every page from 2 to 96 must show and turn (a missing or broken page still shows, with
working navigation), and the home item must still lead home at the end.
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
drag 240 930 300 930 4
wait 0.7
"""
SWIPE_HEIGHTS = (930, 120, 380, 700)


class Reader:
    def __init__(self, program, resources):
        self.proc = subprocess.Popen([program, "--headless", "--resources", resources, "--script", "-"],
                                     stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                     text=True, errors="replace", bufsize=1,
                                     env=dict(os.environ, SDL_AUDIODRIVER="dummy"))

    def send(self, text):
        self.proc.stdin.write(text)
        self.proc.stdin.flush()

    def state(self):
        self.send("dump\n")
        while True:
            line = self.proc.stdout.readline()
            if not line:
                raise RuntimeError("the reader stopped (status %s): %s"
                                   % (self.proc.wait(), self.proc.stderr.read()[-800:]))
            if line.startswith("state "):
                return json.loads(line[6:])


def drive(reader):
    problems = []
    shown = set()
    reader.send("wait 0.1\nclick 320 860\nwait 2.5\nclick 320 860\nwait 0.3\n")
    state = reader.state()
    for _ in range(2, 97):
        page = state.get("currentPage")
        if state.get("layer") not in ("TestLayer1", "TestLayer2"):
            problems.append("no page layer shows (layer %r, page %r)" % (state.get("layer"), page))
            return problems, shown
        shown.add(page)
        if page == 96:
            break
        reader.send(PAGE_STEPS)
        state = reader.state()
        # Auto-play may have turned the page on (its narration is often broken, so it reads fast)
        # and the swipe back turned it back: swipe forwards until the next page shows.
        attempts = 0
        while state.get("currentPage") != page + 1 and attempts < 3 * len(SWIPE_HEIGHTS):
            height = SWIPE_HEIGHTS[attempts % len(SWIPE_HEIGHTS)]
            before = state.get("currentPage")
            reader.send("drag 400 %d 340 %d 4\nwait 0.7\n" % (height, height))
            state = reader.state()
            attempts += 0 if state.get("currentPage") != before else 1
        if state.get("currentPage") != page + 1:
            problems.append("page %s: no swipe turned it forwards" % state.get("currentPage"))
            return problems, shown
    reader.send("click 60 30\nwait 0.5\n")
    state = reader.state()
    if state.get("layer") != "TestController":
        problems.append("the home item did not lead home (layer %r)" % state.get("layer"))
    return problems, shown


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("generator")
    parser.add_argument("program")
    parser.add_argument("--keep")
    args = parser.parse_args()
    work = tempfile.mkdtemp(prefix="lirava-hostile-")
    book = args.keep or os.path.join(work, "book")
    reader = None
    try:
        subprocess.run([sys.executable, args.generator, book], check=True)
        reader = Reader(args.program, book)
        try:
            problems, shown = drive(reader)
        except RuntimeError as error:
            problems, shown = [str(error)], set()
        if reader.proc.poll() is None:
            reader.send("quit\n")
            reader.proc.stdin.close()
            status = reader.proc.wait(timeout=120)
            if status != 0:
                problems.append("exit status %d: %s" % (status, reader.proc.stderr.read()[-800:]))
        missing = sorted(set(range(2, 97)) - shown)
        if missing and not problems:
            problems.append("pages never shown: %s" % missing)
        print("hostile book: %d pages shown" % len(shown))
        for p in problems:
            print("FAIL: " + p)
        return 1 if problems else 0
    finally:
        if reader and reader.proc.poll() is None:
            reader.proc.kill()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
