#!/usr/bin/env python3
"""Draws the frame and memory figures as PNG charts (python3-matplotlib).

    bench/charts.py OUT_DIR [--frames LABEL=DIR ...] [--memory LABEL=FILE ...]

--frames: a folder that app_bench wrote its per-frame series into (LIRAVA_BENCH_FRAMES_DIR), one
    per build to compare ("before=DIR after=DIR"). Draws page-curl-frames.png and
    zoom-flip-frames.png: the thread's CPU time of each frame of a curl (a flip), frame by frame
    from its start, median and largest over every curl (flip) of the run.
--memory: a whole_process.json (bench/whole_process.py), one per build. Draws memory.png: the
    resident memory over the whole-book read, by auto-play and by swiping through every page.
"""

import argparse
import json
import os
import statistics
import sys

try:
    import matplotlib
except ImportError:
    from bench_packages import install

    install()
    try:
        import matplotlib
    except ImportError:
        sys.exit("charts.py: this python (%s) cannot import matplotlib; Debian's python3-matplotlib "
                 "serves /usr/bin/python3" % sys.executable)

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402

FRAME_BUDGET_MS = 6.0
MEMORY_BUDGET_MIB = 48.0
COLOURS = ["#b03a2e", "#1f618d", "#7d3c98", "#117a65"]


def labelled(pairs):
    out = []
    for pair in pairs or []:
        label, _, path = pair.partition("=")
        out.append((label, path))
    return out


def by_frame_of_animation(series, starts):
    """Per frame index from the start of each animation: the median and the largest CPU time."""
    cpu = series["cpu_ms"]
    runs = [cpu[a:b] for a, b in zip(starts, starts[1:] + [len(cpu)])]
    length = max(len(r) for r in runs)
    median, largest = [], []
    for i in range(length):
        values = [r[i] for r in runs if i < len(r)]
        median.append(statistics.median(values))
        largest.append(max(values))
    return median, largest


def frame_chart(out_dir, builds, name, title, filename):
    fig, ax = plt.subplots(figsize=(8, 4.2), dpi=100)
    drawn = False
    loaded = []
    for label, folder in builds:
        path = os.path.join(folder, name + ".json")
        if os.path.exists(path):
            with open(path) as f:
                loaded.append((label, json.load(f)))
    # A build whose series has no animation starts (an older benchmark) ran the same frames as
    # the others: it takes their starts.
    known = next((s["starts"] for _, s in loaded if s.get("starts")), [0])
    for colour, (label, series) in zip(COLOURS, loaded):
        starts = [int(s) for s in (series.get("starts") or known)]
        median, largest = by_frame_of_animation(series, starts)
        frames = range(1, len(median) + 1)
        ax.plot(frames, median, color=colour, linewidth=2, label="%s, median" % label)
        ax.plot(frames, largest, color=colour, linewidth=1, linestyle=":", label="%s, largest" % label)
        drawn = True
    if not drawn:
        plt.close(fig)
        return None
    ax.axhline(FRAME_BUDGET_MS, color="black", linewidth=1, linestyle="--", label="budget (p99)")
    ax.set_title(title)
    ax.set_xlabel("frame from the start (60 frames a second)")
    ax.set_ylabel("CPU time of the frame (ms)")
    ax.set_ylim(bottom=0)
    ax.grid(alpha=0.3)
    ax.legend(fontsize=8)
    fig.tight_layout()
    target = os.path.join(out_dir, filename)
    fig.savefig(target)
    plt.close(fig)
    return target


def memory_chart(out_dir, builds):
    fig, axes = plt.subplots(1, 2, figsize=(10, 4.2), dpi=100, sharey=True)
    drawn = False
    for ax, (run, title) in zip(axes, (("book", "auto-play, pages 2 to 96"), ("swipe", "swiping, pages 2 to 96"))):
        for colour, (label, path) in zip(COLOURS, builds):
            with open(path) as f:
                whole = json.load(f)
            samples = whole.get(run, {}).get("samples")
            if not samples:
                continue
            pages = [s[0] for s in samples]
            rss = [s[2] / 1024.0 for s in samples]
            hwm = [s[3] / 1024.0 for s in samples]
            ax.plot(pages, rss, color=colour, linewidth=1.5, label="%s, resident" % label)
            ax.plot(pages, hwm, color=colour, linewidth=1, linestyle=":", label="%s, peak so far" % label)
            drawn = True
        ax.axhline(MEMORY_BUDGET_MIB, color="black", linewidth=1, linestyle="--", label="budget (peak)")
        ax.set_title(title)
        ax.set_xlabel("page")
        ax.grid(alpha=0.3)
    axes[0].set_ylabel("MiB")
    axes[0].set_ylim(bottom=0)
    axes[1].legend(fontsize=8, loc="lower right")
    if not drawn:
        plt.close(fig)
        return None
    fig.tight_layout()
    target = os.path.join(out_dir, "memory.png")
    fig.savefig(target)
    plt.close(fig)
    return target


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("out_dir")
    parser.add_argument("--frames", nargs="*", help="LABEL=DIR of per-frame series")
    parser.add_argument("--memory", nargs="*", help="LABEL=FILE of whole_process.py output")
    args = parser.parse_args()
    os.makedirs(args.out_dir, exist_ok=True)
    made = []
    frames = labelled(args.frames)
    if frames:
        made.append(frame_chart(args.out_dir, frames, "PageCurlFrame", "Frames of a page curl (0.5 s)",
                                "page-curl-frames.png"))
        made.append(frame_chart(args.out_dir, frames, "ZoomFlipFrame", "Frames of a zoom flip (0.5 s)",
                                "zoom-flip-frames.png"))
    memory = labelled(args.memory)
    if memory:
        made.append(memory_chart(args.out_dir, memory))
    for path in made:
        if path:
            print(path)
    return 0


if __name__ == "__main__":
    sys.exit(main())
