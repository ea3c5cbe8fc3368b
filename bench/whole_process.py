#!/usr/bin/env python3
"""Whole-process figures of the reader program, printed as one JSON object.

    bench/whole_process.py LIRAVA BOOK_DIR [--runs N] [--skip-book]

BOOK_DIR may also be a one-file book (BOOK.lirava), which is read as it is.

- start_ms: wall time from starting `lirava --headless` to the end of a script that quits as
  soon as the first frame is up (the script starts after the first frame), median of N runs;
  it includes tearing the program down, so it is an upper bound of start to first frame.
  start_cpu_ms: the process's CPU time (user and system) in the same runs, median.
- book: one headless run that opens unit 1, page 2, switches auto-play on and lets it read
  every page to the last; peak RSS (VmHWM of the process, KiB), pages seen and wall time.
- swipe: one headless run that opens page 2 and swipes forwards through every page to 96,
  resting 0.6 s on each; peak RSS as above.
Both runs also record the resident memory (VmRSS, KiB) at every step as "samples" of
[page, virtual seconds, rss_kib, hwm_kib], which bench/charts.py draws.
"""

import argparse
import json
import os
import re
import resource
import shutil
import statistics
import subprocess
import sys
import tempfile
import time


def scratch_book(book):
    """A folder of links to the book's entries, so the first-run marker lands outside it."""
    root = tempfile.mkdtemp(prefix="lirava-bench-")
    for name in os.listdir(book):
        if name != "ft.xml":
            os.symlink(os.path.join(os.path.abspath(book), name), os.path.join(root, name))
    with open(os.path.join(root, "ft.xml"), "w") as f:
        f.write("benchbenchbenchbenchbe\n")  # not a first start: no hint over the home screen
    return root


def run_script(program, resources, script, timeout, cpu=None):
    """Runs the program on a script; returns (wall seconds, stdout). Appends the process's CPU
    time (user and system, seconds) to `cpu` when given."""
    with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False) as f:
        f.write(script)
        path = f.name
    try:
        before = resource.getrusage(resource.RUSAGE_CHILDREN)
        start = time.monotonic()
        proc = subprocess.Popen([program, "--headless", "--resources", resources, "--script", path],
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True,
                                env=dict(os.environ, SDL_AUDIODRIVER="dummy"))
        out, err = proc.communicate(timeout=timeout)
        wall = time.monotonic() - start
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        if cpu is not None:
            cpu.append(after.ru_utime + after.ru_stime - before.ru_utime - before.ru_stime)
        if proc.returncode != 0:
            raise RuntimeError("exit %d: %s" % (proc.returncode, err.strip()[-400:]))
        return wall, out
    finally:
        os.unlink(path)


def peak_rss_kib(program, resources, script, timeout):
    """Runs the program under /usr/bin/time to read its maximum resident set size."""
    with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False) as f:
        f.write(script)
        path = f.name
    try:
        start = time.monotonic()
        proc = subprocess.run(["/usr/bin/time", "-f", "maxrss %M", program, "--headless", "--resources", resources,
                               "--script", path], capture_output=True, text=True, timeout=timeout,
                              env=dict(os.environ, SDL_AUDIODRIVER="dummy"))
        wall = time.monotonic() - start
        if proc.returncode != 0:
            raise RuntimeError("exit %d: %s" % (proc.returncode, proc.stderr.strip()[-400:]))
        match = re.search(r"maxrss (\d+)", proc.stderr)
        return int(match.group(1)), wall, proc.stdout
    finally:
        os.unlink(path)


# Home (unit 1) -> its page list (page 2, the first item) -> the page; auto-play goes on next.
BOOK_SCRIPT_HEAD = """wait 0.1
click 320 860
wait 2.5
click 320 860
wait 0.1
"""


def memory_kib(pid):
    """(VmRSS, VmHWM) of the process in KiB."""
    with open("/proc/%d/status" % pid) as f:
        text = f.read()
    return (int(re.search(r"VmRSS:\s+(\d+)", text).group(1)), int(re.search(r"VmHWM:\s+(\d+)", text).group(1)))


class SteppedReader:
    """The program reading its script from standard input, one step at a time: each step ends
    with a dump, and the memory is read while the program waits for its next line."""

    def __init__(self, program, resources):
        self.proc = subprocess.Popen([program, "--headless", "--resources", resources, "--script", "-"],
                                     stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                     text=True, bufsize=1, env=dict(os.environ, SDL_AUDIODRIVER="dummy"))
        self.seen = []
        self.samples = []
        self.virtual_s = 0.0

    def step(self, lines):
        self.virtual_s += sum(float(line.split()[1]) for line in lines.splitlines() if line.startswith("wait "))
        self.proc.stdin.write(lines + "dump\n")
        self.proc.stdin.flush()
        while True:
            line = self.proc.stdout.readline()
            if not line:
                raise RuntimeError("the reader stopped: %s" % self.proc.stderr.read()[-400:])
            if line.startswith("state "):
                state = json.loads(line[6:])
                self.seen.append(state)
                rss, hwm = memory_kib(self.proc.pid)
                self.samples.append([state.get("currentPage"), round(self.virtual_s, 2), rss, hwm])
                return state

    def finish(self):
        peak = memory_kib(self.proc.pid)[1]
        try:
            self.proc.stdin.write("quit\n")
            self.proc.stdin.close()
            self.proc.wait(timeout=60)
        finally:
            if self.proc.poll() is None:
                self.proc.kill()
        return peak

    def result(self, peak, wall):
        seen = self.seen
        pages = sorted({s.get("currentPage") for s in seen if isinstance(s.get("currentPage"), int)})
        return {"peak_rss_kib": peak, "wall_s": round(wall, 1),
                "last_page": seen[-1].get("currentPage") if seen else None,
                "pages_seen_in_dumps": len(pages),
                "objects_at_end": seen[-1].get("objects") if seen else None,
                "samples": self.samples}


def read_book(program, resources, autoplay_click, timeout_s):
    """Opens page 2, switches auto-play on and lets it read until the last page has been read.
    The script comes through standard input 5 s of virtual time at a time, so the run stops as
    soon as the book is done."""
    start = time.monotonic()
    reader = SteppedReader(program, resources)
    try:
        reader.step(BOOK_SCRIPT_HEAD + autoplay_click)
        while time.monotonic() - start < timeout_s:
            state = reader.step("wait 5\n")
            if state.get("currentPage") == 96 and not state.get("music"):
                break
    finally:
        peak = reader.finish()
    return reader.result(peak, time.monotonic() - start)


def swipe_book(program, resources, timeout_s):
    """Opens page 2 and swipes forwards through every page to 96."""
    start = time.monotonic()
    reader = SteppedReader(program, resources)
    try:
        state = reader.step(BOOK_SCRIPT_HEAD)
        while state.get("currentPage", 96) < 96 and time.monotonic() - start < timeout_s:
            page = state.get("currentPage")
            state = reader.step("drag 400 930 340 930 4\nwait 0.6\n")
            if state.get("currentPage") == page:
                raise RuntimeError("a swipe on page %s did not turn it" % page)
    finally:
        peak = reader.finish()
    return reader.result(peak, time.monotonic() - start)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    parser.add_argument("book")
    parser.add_argument("--runs", type=int, default=11)
    parser.add_argument("--skip-book", action="store_true", help="no whole-book runs (auto-play and swipes)")
    parser.add_argument("--autoplay-click", default="click 580 40\n",
                        help="script lines that switch auto-play on from a page (default: the reader's own)")
    args = parser.parse_args()
    archived = os.path.isfile(args.book)
    resources = os.path.abspath(args.book) if archived else scratch_book(args.book)
    result = {}
    try:
        walls = []
        cpus = []
        for _ in range(args.runs):
            wall, _ = run_script(args.program, resources, "quit\n", 60, cpus)
            walls.append(wall * 1000.0)
        result["start_ms"] = statistics.median(walls)
        result["start_ms_runs"] = [round(w, 1) for w in walls]
        result["start_cpu_ms"] = statistics.median(cpus) * 1000.0
        peak, wall, _ = peak_rss_kib(args.program, resources, "quit\n", 60)
        result["start_peak_rss_kib"] = peak
        if not args.skip_book:
            result["book"] = read_book(args.program, resources, args.autoplay_click, 3600)
            result["swipe"] = swipe_book(args.program, resources, 1800)
    finally:
        if not archived:
            shutil.rmtree(resources, ignore_errors=True)
    json.dump(result, sys.stdout, indent=1)
    print()
    return 0


if __name__ == "__main__":
    sys.exit(main())
