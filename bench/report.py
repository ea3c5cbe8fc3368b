#!/usr/bin/env python3
"""Prints the table of benchmark figures against the budgets of the design note.

    bench/report.py RESULTS_DIR

RESULTS_DIR holds what scripts/bench.sh wrote: *_bench.json (Google Benchmark JSON output) and
whole_process.json. Figures are medians (Google Benchmark counters are medians over the
iterations of one run, computed by the benchmarks themselves).
"""

import json
import os
import statistics
import sys


def load_benchmarks(folder):
    found = {}
    for name in sorted(os.listdir(folder)):
        if name.endswith("_bench.json"):
            with open(os.path.join(folder, name)) as f:
                data = json.load(f)
            for b in data.get("benchmarks", []):
                found[b["name"]] = b
                # "PageFrame/iterations:1260" is also found as "app:PageFrame".
                found["%s:%s" % (name.split("_")[0], b["name"].split("/iterations:")[0])] = b
            found.setdefault("__context__", data.get("context", {}))
    return found


def row(rows, what, figure, budget, verdict, note=""):
    rows.append((what, figure, budget, verdict, note))


def verdict(value, limit):
    if value is None:
        return "n/a"
    return "ok" if value <= limit else "MISS"


def main():
    folder = sys.argv[1]
    b = load_benchmarks(folder)
    whole = {}
    path = os.path.join(folder, "whole_process.json")
    if os.path.exists(path):
        with open(path) as f:
            whole = json.load(f)
    rows = []

    pages = [v for k, v in b.items() if k.startswith("PageBuild/")]
    if pages:
        warm = [p["warm_ms"] for p in pages]
        cold = [p["cold_ms"] for p in pages]
        floor = [p["floor_ms"] for p in pages]
        ratio = [p["ratio"] for p in pages]
        worst = max(pages, key=lambda p: p["ratio"])
        slowest_warm = max(pages, key=lambda p: p["warm_ms"])
        row(rows, "page build, warm (median of %d pages)" % len(pages), "%.3f ms" % statistics.median(warm),
            "1 ms", verdict(statistics.median(warm), 1.0),
            "slowest page %s: %.3f ms" % (slowest_warm["name"].split("/")[1], slowest_warm["warm_ms"]))
        row(rows, "page build, cold (median)", "%.2f ms" % statistics.median(cold), "", "")
        row(rows, "  floor: decode images + parse JSON (median)", "%.2f ms" % statistics.median(floor), "", "")
        row(rows, "  cold / floor (median of per-page ratios)", "%.3f" % statistics.median(ratio), "1.25",
            verdict(statistics.median(ratio), 1.25),
            "worst page %s: %.3f" % (worst["name"].split("/")[1], worst["ratio"]))
    for name, label, limit in (("app:PageFrame", "headless frame, reader pages", 4.0),
                               ("app:PageCurlFrame", "headless frame, reader page curl", 6.0),
                               ("app:ZoomFlipFrame", "headless frame, zoom flip between pages", 6.0)):
        if name in b:
            p = b[name]
            row(rows, label + " p50 / p99", "%.2f / %.2f ms" % (p["p50_ms"], p["p99_ms"]), "p99 %g ms" % limit,
                verdict(p["p99_ms"], limit), "%d frames, max %.2f ms" % (p["frames"], p["max_ms"]))
            if "cpu_p99_ms" in p:
                row(rows, "  the same in CPU time p50 / p99", "%.2f / %.2f ms" % (p["cpu_p50_ms"], p["cpu_p99_ms"]),
                    "p99 %g ms" % limit, verdict(p["cpu_p99_ms"], limit), "the thread's own time")
    if "start_ms" in whole:
        row(rows, "start to first frame (process, headless, median)", "%.0f ms" % whole["start_ms"], "150 ms",
            verdict(whole["start_ms"], 150.0), "includes process exit")
    for run, label in (("book", "peak RSS, whole book with auto-play"), ("swipe", "peak RSS, swiping pages 2 to 96")):
        if run in whole:
            mib = whole[run]["peak_rss_kib"] / 1024.0
            row(rows, label, "%.1f MiB" % mib, "48 MiB", verdict(mib, 48.0),
                "last page %s, %s s" % (whole[run].get("last_page"), whole[run].get("wall_s")))
    if "soak" in whole:
        s = whole["soak"]
        row(rows, "RSS after 1,000 turns - after 10", "%+.2f MiB" % s["rss_growth_mib"], "1 MiB",
            verdict(s["rss_growth_mib"], 1.0), "objects %+d" % s["object_growth"])
    at_1x = b.get("engine:NarrationStart/100")
    for arg in ("50", "75", "150"):
        p = b.get("engine:NarrationStart/" + arg)
        if at_1x and p:
            extra = p["start_ms"] - at_1x["start_ms"]
            row(rows, "narration start at %gx, more than at 1x (median)" % (int(arg) / 100.0), "%.2f ms" % extra,
                "10 ms", verdict(extra, 10.0), "p90 %.2f ms, in CPU time %.2f ms" % (
                    p["start_p90_ms"] - at_1x["start_p90_ms"], p["start_cpu_ms"] - at_1x["start_cpu_ms"]))
    for arg in ("50", "75", "125", "150"):
        p = b.get("engine:NarrationStretch/" + arg)
        if p:
            row(rows, "stretch at %gx, CPU per second of narration" % (int(arg) / 100.0),
                "%.2f ms" % p["cpu_ms_per_narration_s"], "", "")
    for name, label in (("JsonParsePage", "JSON parse of a page document"), ("JsonGetInt", "JsonDictionary getInt"),
                        ("JsonGetFloat", "JsonDictionary getFloat"), ("JsonGetString", "JsonDictionary getString"),
                        ("JsonMissingKey", "JsonDictionary missing key"),
                        ("JsonCopyChild", "JsonDictionary copy a child"),
                        ("TouchRouterTopMost", "touch router, 1,000 widgets, top-most hit"),
                        ("TouchRouterFirstButton", "touch router, 1,000 widgets, last-searched hit"),
                        ("TouchRouterMiss", "touch router, 1,000 widgets, miss")):
        name = "gui:" + name
        if name in b:
            p = b[name]
            unit = p.get("time_unit", "ns")
            row(rows, label, "%.3g %s" % (p["real_time"], unit), "", "")

    widths = [max(len(str(r[i])) for r in rows + [("figure", "measured", "budget", "", "")]) for i in range(5)]
    header = ("figure", "measured", "budget", "", "note")
    print("  ".join(str(h).ljust(w) for h, w in zip(header, widths)))
    for r in rows:
        print("  ".join(str(c).ljust(w) for c, w in zip(r, widths)))
    ctx = b.get("__context__", {})
    if ctx:
        print("\nmachine: %s CPUs at %s MHz, load %s, %s" % (ctx.get("num_cpus"), ctx.get("mhz_per_cpu"),
                                                           ctx.get("load_avg"), ctx.get("date")))
    return 0


if __name__ == "__main__":
    sys.exit(main())
