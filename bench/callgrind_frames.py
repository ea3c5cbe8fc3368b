#!/usr/bin/env python3
"""Instructions of every timed frame of a frame benchmark, under callgrind: figures that do not
move with the machine's load.

    bench/callgrind_frames.py APP_BENCH BENCHMARK [--json FILE]

BENCHMARK is one of app_bench's frame benchmarks (PageFrame, PageCurlFrame, ZoomFlipFrame). The
benchmark dumps each timed frame on its own; this prints the median, 99th percentile and largest
count in millions of instructions, and with --json writes every frame's count in order.
"""

import argparse
import glob
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile

from bench_packages import require_program


def quantile(values, q):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(q * (len(ordered) - 1) + 0.5))]


def frame_instructions(program, benchmark):
    out = tempfile.mkdtemp(prefix="lirava-frames-")
    try:
        subprocess.run([require_program("valgrind"), "--tool=callgrind", "--dump-instr=no", "--dump-line=no",
                        "--callgrind-out-file=%s/cg.%%p" % out, program, "--benchmark_filter=^%s/" % benchmark],
                       env=dict(os.environ, SDL_AUDIODRIVER="dummy"), check=True, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        counts = []
        dumps = sorted(glob.glob(os.path.join(out, "cg.*.*")), key=lambda p: int(p.rsplit(".", 1)[1]))
        for path in dumps:
            with open(path, errors="replace") as f:
                head = f.read(4096)
                f.seek(0)
                text = f.read() if "summary:" not in head else head
            if re.search(r"^desc: Trigger: Client Request: frame", text, re.M):
                counts.append(int(re.search(r"^summary: (\d+)", text, re.M).group(1)))
        return counts
    finally:
        shutil.rmtree(out, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    parser.add_argument("benchmark")
    parser.add_argument("--json")
    args = parser.parse_args()
    counts = frame_instructions(args.program, args.benchmark)
    if not counts:
        print("no frames were dumped", file=sys.stderr)
        return 1
    mega = [c / 1e6 for c in counts]
    print("%s: %d frames, instructions p50 %.1f M, p99 %.1f M, max %.1f M"
          % (args.benchmark, len(mega), quantile(mega, 0.5), quantile(mega, 0.99), max(mega)))
    if args.json:
        with open(args.json, "w") as f:
            json.dump({"benchmark": args.benchmark, "instructions": counts}, f)
    return 0


if __name__ == "__main__":
    sys.exit(main())
