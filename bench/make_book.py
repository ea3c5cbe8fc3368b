#!/usr/bin/python3
"""Times lirava-make on a 20-page, 100-sentence book read wholly by synthetic speech (the
budget: 30 s), as the median of several runs of wall time, and of the CPU time it used (which
does not move with the machine's load), and prints one JSON object.

    bench/make_book.py LIRAVA_MAKE [--runs 3]
"""

import argparse
import json
import os
import resource
import statistics
import subprocess
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
PICTURES = os.path.join(os.path.dirname(HERE), "examples", "garden", "pictures")
WORDS = ("the sun the bees the moon the tree a dog a cat my kite our garden is big is small "
         "is red can run can fly likes to play").split()


def sentence(n):
    words = [WORDS[(n * 7 + k * 3) % len(WORDS)] for k in range(4 + n % 4)]
    return " ".join(words).capitalize() + "."


def manifest(folder):
    pictures = sorted(os.listdir(PICTURES))
    lines = ["title: Twenty Pages", "language: en", "units:"]
    n = 0
    for unit_pages in (12, 8):
        lines.append("  - pages:")
        for _ in range(unit_pages):
            lines.append("      - picture: %s" % os.path.join(PICTURES, pictures[n % len(pictures)]))
            lines.append("        sentences:")
            for _ in range(5):
                lines.append("          - %s" % sentence(n))
                n += 1
    path = os.path.join(folder, "book.yaml")
    with open(path, "w") as f:
        f.write("\n".join(lines) + "\n")
    return path, n


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("maker")
    ap.add_argument("--runs", type=int, default=3)
    args = ap.parse_args()
    times = []
    cpu = []
    with tempfile.TemporaryDirectory() as tmp:
        path, sentences = manifest(tmp)
        for run in range(args.runs):
            out = os.path.join(tmp, "book%d.lirava" % run)
            used = resource.getrusage(resource.RUSAGE_CHILDREN)
            start = time.monotonic()
            subprocess.run([args.maker, path, "-o", out], check=True, stdout=subprocess.DEVNULL)
            times.append(time.monotonic() - start)
            done = resource.getrusage(resource.RUSAGE_CHILDREN)
            cpu.append(done.ru_utime + done.ru_stime - used.ru_utime - used.ru_stime)
    print(json.dumps({"pages": 20, "sentences": sentences, "runs": [round(t, 2) for t in times],
                      "median_s": round(statistics.median(times), 2),
                      "median_cpu_s": round(statistics.median(cpu), 2), "budget_s": 30,
                      "load": os.getloadavg()[0]}))


if __name__ == "__main__":
    main()
