#!/usr/bin/env python3
"""Whole-process figures of the reader program, printed as one JSON object.

    bench/whole_process.py LIRAVA BOOK_DIR [--runs N] [--skip-book]

- start_ms: wall time from starting `lirava --headless` to the end of a script that quits as
  soon as the first frame is up (the script starts after the first frame), median of N runs;
  it includes tearing the program down, so it is an upper bound of start to first frame.
- book: one headless run that opens unit 1, page 2, switches auto-play on and lets it read
  every page to the last; peak RSS (VmHWM of the process, KiB), frames and wall time.
"""

import argparse
import json
import os
import re
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


def run_script(program, resources, script, timeout):
    """Runs the program on a script; returns (wall seconds, stdout)."""
    with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False) as f:
        f.write(script)
        path = f.name
    try:
        start = time.monotonic()
        proc = subprocess.Popen([program, "--headless", "--resources", resources, "--script", path],
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True,
                                env=dict(os.environ, SDL_AUDIODRIVER="dummy"))
        out, err = proc.communicate(timeout=timeout)
        wall = time.monotonic() - start
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


def states(out):
    return [json.loads(line[6:]) for line in out.splitlines() if line.startswith("state ")]


# Home (unit 1) -> its page list (page 2, the first item) -> the page; then auto-play on, and a
# dump every simulated minute until the time runs out (auto-play stops on the last page).
BOOK_SCRIPT_HEAD = """wait 0.1
click 320 860
wait 2.5
click 320 860
wait 0.1
dump
"""


def book_script(autoplay_click, minutes):
    lines = [BOOK_SCRIPT_HEAD, autoplay_click]
    for _ in range(minutes):
        lines.append("wait 60\ndump\n")
    return "".join(lines)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    parser.add_argument("book")
    parser.add_argument("--runs", type=int, default=11)
    parser.add_argument("--skip-book", action="store_true")
    parser.add_argument("--autoplay-click", default="click 580 40\n",
                        help="script lines that switch auto-play on from a page (default: the reader's own)")
    args = parser.parse_args()
    resources = scratch_book(args.book)
    result = {}
    try:
        walls = []
        for _ in range(args.runs):
            wall, _ = run_script(args.program, resources, "quit\n", 60)
            walls.append(wall * 1000.0)
        result["start_ms"] = statistics.median(walls)
        result["start_ms_runs"] = [round(w, 1) for w in walls]
        peak, wall, _ = peak_rss_kib(args.program, resources, "quit\n", 60)
        result["start_peak_rss_kib"] = peak
        if not args.skip_book:
            script = book_script(args.autoplay_click, 40)
            peak, wall, out = peak_rss_kib(args.program, resources, script, 3600)
            seen = states(out)
            pages = sorted({s.get("currentPage") for s in seen if isinstance(s.get("currentPage"), int)})
            result["book"] = {"peak_rss_kib": peak, "wall_s": round(wall, 1),
                              "last_page": seen[-1].get("currentPage") if seen else None,
                              "pages_seen_in_dumps": len(pages),
                              "objects_at_end": seen[-1].get("objects") if seen else None}
    finally:
        shutil.rmtree(resources, ignore_errors=True)
    json.dump(result, sys.stdout, indent=1)
    print()
    return 0


if __name__ == "__main__":
    sys.exit(main())
