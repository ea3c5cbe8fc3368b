#!/bin/sh
# Builds the benchmarks (build-bench/, optimised) and prints one table of medians and ratios
# against the budgets, with the machine they ran on. Results stay in build-bench/results/.
#   scripts/bench.sh            everything (several minutes; reads the whole book once)
#   scripts/bench.sh --quick    fewer iterations, no whole-book run
set -eu
cd "$(dirname "$0")/.."
quick=0
[ "${1:-}" = "--quick" ] && quick=1
# What the benchmarks need beyond the build: Google Benchmark, callgrind for the instruction
# counts (bench/callgrind_*.py) and matplotlib for the charts (bench/charts.py).
sh scripts/install-deps.sh bench
build="${BENCH_BUILD_DIR:-build-bench}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DLIRAVA_BUILD_BENCH=ON -DLIRAVA_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2
results="$build/results"
rm -rf "$results"
mkdir -p "$results"
{
    echo "date: $(date -u +%Y-%m-%dT%H:%M:%SZ)"
    echo "nproc: $(nproc)"
    echo "cpu: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
    echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
    echo "commit: $(git rev-parse --short HEAD 2>/dev/null || echo none)"
} >"$results/machine.txt"

export SDL_AUDIODRIVER=dummy
# Every frame's time of the frame benchmarks, for the charts.
export LIRAVA_BENCH_FRAMES_DIR="$results/frames"
mkdir -p "$LIRAVA_BENCH_FRAMES_DIR"
if [ "$quick" -eq 1 ]; then
    export LIRAVA_BENCH_PAGE_ITERATIONS=3
fi
for bench in "$build"/bench/*_bench; do
    name=$(basename "$bench")
    "$bench" --benchmark_format=json --benchmark_out="$results/$name.json" --benchmark_out_format=json \
        >/dev/null 2>"$results/$name.log"
done
if [ "$quick" -eq 1 ]; then
    python3 bench/whole_process.py "$build/app/lirava" book --runs 5 --skip-book >"$results/whole_process.json"
else
    python3 bench/whole_process.py "$build/app/lirava" book >"$results/whole_process.json"
fi
# Making a 20-page, 100-sentence book with synthetic speech (budget 30 s), median of 3.
python3 bench/make_book.py "$build/tools/make/lirava-make" >"$results/make_book.json"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)" >>"$results/machine.txt"
python3 bench/report.py "$results"
# matplotlib comes as a Debian package, for the system's own interpreter.
charts_python=python3
[ -x /usr/bin/python3 ] && charts_python=/usr/bin/python3
"$charts_python" bench/charts.py "$results/charts" --frames "this=$results/frames" \
    --memory "this=$results/whole_process.json" || echo "charts: not drawn"
echo
cat "$results/machine.txt"
