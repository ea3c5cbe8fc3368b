#!/usr/bin/env python3
"""Instruction counts of page builds against their floor, under callgrind: figures that do not
move with the machine's load.

    bench/callgrind_ratio.py APP_BENCH [PAGES]

PAGES is a benchmark filter fragment (default: every page, "[0-9]+"). Runs app_bench's PageBuild
once per page under callgrind; the benchmark dumps every timed region on its own (cold build,
floor, warm build), and this sums the instructions of each and prints them per page with the
cold / floor ratio, then the medians.
"""

import glob
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile

from bench_packages import require_program


def main():
    program = sys.argv[1]
    pages = sys.argv[2] if len(sys.argv) > 2 else "[0-9]+"
    out = tempfile.mkdtemp(prefix="lirava-callgrind-")
    try:
        subprocess.run([require_program("valgrind"), "--tool=callgrind", "--callgrind-out-file=%s/cg.%%p" % out,
                        program, "--benchmark_filter=PageBuild/(%s)/" % pages],
                       env=dict(os.environ, SDL_AUDIODRIVER="dummy", LIRAVA_BENCH_PAGE_ITERATIONS="1"),
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # Dumps come in order: setup, then cold, floor, warm for each iteration, page after page.
        dumps = sorted(glob.glob(os.path.join(out, "cg.*.*")), key=lambda p: int(p.rsplit(".", 1)[1]))
        regions = []
        for path in dumps:
            with open(path, errors="replace") as f:
                text = f.read()
            label = re.search(r"^desc: Trigger: Client Request: (\S+)", text, re.M)
            summary = re.search(r"^summary: (\d+)", text, re.M)
            if label and summary:
                regions.append((label.group(1), int(summary.group(1))))
        rows = []
        current = None
        for label, ir in regions:
            if label == "setup":
                current = {}
                rows.append(current)
            elif current is not None:
                current[label] = ir
        names = subprocess.run([program, "--benchmark_list_tests", "--benchmark_filter=PageBuild/(%s)/" % pages],
                               capture_output=True, text=True).stdout.split()
        print("%-6s %14s %14s %14s %7s" % ("page", "cold Ir", "floor Ir", "warm Ir", "ratio"))
        ratios = []
        label_shares = []
        for name, row in zip(names, rows):
            page = name.split("/")[1]
            if "cold" in row and "floor" in row and row["floor"] > 0:
                ratio = row["cold"] / row["floor"]
                ratios.append(ratio)
                print("%-6s %14d %14d %14d %7.3f" % (page, row["cold"], row["floor"], row.get("warm", 0), ratio))
            if row.get("labels") and row.get("warm"):
                label_shares.append((row["labels"] / row["cold"], row["labels"] / row["warm"]))
        if ratios:
            print("median cold / floor over %d pages: %.3f (worst %.3f)" % (len(ratios), statistics.median(ratios),
                                                                             max(ratios)))
        if label_shares:
            # Reading every word-timing file of a page, against building the page.
            print("labels: median %.2f %% of a cold build, %.2f %% of a warm one (worst %.2f %%, %.2f %%)"
                  % (100 * statistics.median(c for c, _ in label_shares),
                     100 * statistics.median(w for _, w in label_shares),
                     100 * max(c for c, _ in label_shares), 100 * max(w for _, w in label_shares)))
    finally:
        shutil.rmtree(out, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
