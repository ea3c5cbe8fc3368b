#!/usr/bin/env python3
"""Soak run of the reader: page turns by swipe, then visits home and back, with the live-object
count and the resident memory recorded along the way.

    soak.py LIRAVA BOOK_DIR [--turns N] [--visits N] [--json FILE]

The reader runs headless and reads its script from standard input, one step at a time, so every
measurement is taken while the program waits for its next line (nothing moves under it). Turns
go forwards from page 2 to 96 and back again by swipes. Memory is compared between two moments
on the same page after the same path through the book: after turn 10 and after turn
10 + k x 188 (one round trip is 188 turns), the first such turn at or past --turns. The run fails
when the program's own resident memory (anonymous: heap and private mappings; see memory_kib)
grew by more than 1 MiB between them (the bound of design.md section 6).
The live-object count may grow during the first round trip, as the sprite-frame cache keeps the
frames of every sheet it has loaded; from the end of the first round trip (turn 198) to the last
turn it must not grow at all. Visits home and back: visit 10 against the last visit, both bounds.
At the end ICU must not be mapped: the sample book's texts never need it.
"""

import argparse
import json
import os
import shutil
import subprocess
import sys
import tempfile

ROUND_TRIP = 2 * (96 - 2)
MIB = 1024


def memory_kib(pid):
    """Resident memory (VmRSS) and its anonymous part (RssAnon: heap and private mappings, what
    the program allocates), in KiB. The bound applies to the anonymous part: the file-backed
    rest is library code and fonts, which the system may drop and bring back under memory
    pressure from other processes, whatever the program does."""
    fields = {}
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            name, _, value = line.partition(":")
            if name in ("VmRSS", "RssAnon"):
                fields[name] = int(value.split()[0])
    return fields.get("VmRSS", -1), fields.get("RssAnon", -1)


class Reader:
    def __init__(self, program, resources):
        self.proc = subprocess.Popen([program, "--headless", "--resources", resources, "--script", "-"],
                                     stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                     text=True, bufsize=1, env=dict(os.environ, SDL_AUDIODRIVER="dummy"))

    def send(self, text):
        self.proc.stdin.write(text)
        self.proc.stdin.flush()

    def state(self):
        """Asks for a dump and waits for it; the program then waits for the next line."""
        self.send("dump\n")
        while True:
            line = self.proc.stdout.readline()
            if not line:
                raise RuntimeError("the reader stopped: %s" % self.proc.stderr.read()[-600:])
            if line.startswith("state "):
                state = json.loads(line[6:])
                state["rss_kib"], state["anon_kib"] = memory_kib(self.proc.pid)
                return state

    def close(self):
        self.send("quit\n")
        self.proc.stdin.close()
        status = self.proc.wait(timeout=60)
        return status


def scratch(book):
    root = tempfile.mkdtemp(prefix="lirava-soak-")
    for name in os.listdir(book):
        if name != "ft.xml":
            os.symlink(os.path.join(os.path.abspath(book), name), os.path.join(root, name))
    return root


FORWARD = "drag 400 930 340 930 4\nwait 0.6\n"
BACKWARD = "drag 240 930 300 930 4\nwait 0.6\n"
OPEN_FIRST_PAGE = "click 320 860\nwait 2.5\nclick 320 860\nwait 0.3\n"
HOME_AND_BACK = "click 60 30\nwait 0.5\n" + OPEN_FIRST_PAGE


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    parser.add_argument("book")
    parser.add_argument("--turns", type=int, default=1000)
    parser.add_argument("--visits", type=int, default=100)
    parser.add_argument("--json")
    args = parser.parse_args()
    last_turn = 10 + ROUND_TRIP * -(-(args.turns - 10) // ROUND_TRIP)
    resources = scratch(args.book)
    reader = Reader(args.program, resources)
    record = {"turns": {}, "visits": {}}
    problems = []
    try:
        reader.send("wait 0.1\n" + OPEN_FIRST_PAGE)
        first = reader.state()
        if first.get("currentPage") != 2:
            problems.append("the first page is %r, not 2" % first.get("currentPage"))
        page, direction = 2, 1
        for turn in range(1, last_turn + 1):
            if page == 96:
                direction = -1
            elif page == 2:
                direction = 1
            reader.send(FORWARD if direction > 0 else BACKWARD)
            page += direction
            if turn % ROUND_TRIP == 10 or turn == args.turns or turn % 100 == 0:
                s = reader.state()
                record["turns"][turn] = {"page": s.get("currentPage"), "objects": s.get("objects"),
                                         "rss_kib": s["rss_kib"], "anon_kib": s["anon_kib"]}
                if s.get("currentPage") != page:
                    problems.append("after turn %d the page is %r, not %d" % (turn, s.get("currentPage"), page))
                    break
        for visit in range(1, args.visits + 1):
            reader.send(HOME_AND_BACK)
            if visit in (10, args.visits) or visit % 25 == 0:
                s = reader.state()
                record["visits"][visit] = {"page": s.get("currentPage"), "layer": s.get("layer"),
                                           "objects": s.get("objects"), "rss_kib": s["rss_kib"],
                                           "anon_kib": s["anon_kib"]}
        # Every text of the book is plain ASCII and its caption tables have tags of the common
        # shape, so nothing needed ICU, whose library alone would take about 1 MiB of the budget.
        with open("/proc/%d/maps" % reader.proc.pid) as f:
            if "libicuuc" in f.read():
                problems.append("the reader loaded ICU for a book in plain English")
        status = reader.close()
        if status != 0:
            problems.append("exit status %d" % status)
    finally:
        if reader.proc.poll() is None:
            reader.proc.kill()
        shutil.rmtree(resources, ignore_errors=True)

    def compare(kind, a, b, objects_from=None):
        if a not in record[kind] or b not in record[kind]:
            problems.append("no %s record for %s and %s" % (kind, a, b))
            return
        ra, rb = record[kind][a], record[kind][b]
        growth = rb["anon_kib"] - ra["anon_kib"]
        print("%s %d -> %d: page %s -> %s, objects %s -> %s, anonymous %.2f -> %.2f MiB (%+.2f), RSS %.2f -> %.2f MiB"
              % (kind, a, b, ra["page"], rb["page"], ra["objects"], rb["objects"], ra["anon_kib"] / MIB,
                 rb["anon_kib"] / MIB, growth / MIB, ra["rss_kib"] / MIB, rb["rss_kib"] / MIB))
        if growth > MIB:
            problems.append("%s: anonymous memory grew by %.2f MiB from %d to %d" % (kind, growth / MIB, a, b))
        base = record[kind].get(objects_from, ra)
        if rb["objects"] > base["objects"]:
            problems.append("%s: live objects grew from %d to %d" % (kind, base["objects"], rb["objects"]))

    compare("turns", 10, last_turn, objects_from=10 + ROUND_TRIP)
    compare("visits", 10, args.visits)
    for turn, r in sorted(record["turns"].items()):
        print("  turn %5d page %2s objects %6s anonymous %7.2f MiB RSS %7.2f MiB"
              % (turn, r["page"], r["objects"], r["anon_kib"] / MIB, r["rss_kib"] / MIB))
    for visit, r in sorted(record["visits"].items()):
        print("  visit %4d page %2s objects %6s anonymous %7.2f MiB RSS %7.2f MiB"
              % (visit, r["page"], r["objects"], r["anon_kib"] / MIB, r["rss_kib"] / MIB))
    if args.json:
        with open(args.json, "w") as f:
            json.dump(record, f, indent=1)
    for p in problems:
        print("FAIL: " + p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
