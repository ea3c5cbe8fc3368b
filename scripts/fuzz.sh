#!/bin/sh
# Runs one libFuzzer target for a given time: scripts/fuzz.sh TARGET SECONDS [libFuzzer options]
# Targets: ui_document property_list sprite_atlas bitmap_font driver_script book_archive word_labels
# text_layout (or "list").
# Installs clang and its runtimes when missing, then builds build-fuzz/ with them
# (LIRAVA_BUILD_FUZZ=ON). The run works on a copy of the seed
# corpus in build-fuzz/corpus/TARGET (kept between runs, so runs add up), writes findings to
# build-fuzz/findings/TARGET/ and its log to build-fuzz/logs/TARGET.log, at the lowest priority.
# Exit status 0 exactly when the run found nothing; otherwise the script names each finding's kind
# (crash, leak, timeout, out of memory, slow input) and file, and exits 1. Copy the input into
# tests/fuzz-regressions/TARGET/ once it is fixed.
set -eu
cd "$(dirname "$0")/.."
targets="ui_document property_list sprite_atlas bitmap_font driver_script book_archive word_labels"
targets="$targets text_layout"
if [ $# -lt 1 ] || [ "$1" = "list" ]; then
    echo "usage: scripts/fuzz.sh TARGET SECONDS [libFuzzer options]"
    echo "targets: $targets"
    [ $# -ge 1 ] && exit 0
    exit 2
fi
target="$1"
seconds="${2:-60}"
shift
[ $# -gt 0 ] && shift
case " $targets " in
*" $target "*) ;;
*) echo "fuzz: unknown target $target (one of: $targets)" >&2; exit 2 ;;
esac

sh scripts/install-deps.sh fuzz
build="${FUZZ_BUILD_DIR:-build-fuzz}"
if [ ! -f "$build/CMakeCache.txt" ]; then
    CC=clang-14 CXX=clang++-14 cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DLIRAVA_BUILD_FUZZ=ON -DLIRAVA_BUILD_TESTS=OFF >/dev/null
fi
nice -n 19 cmake --build "$build" -j"${FUZZ_JOBS:-2}" --target "fuzz_$target"

corpus="$build/corpus/$target"
findings="$build/findings/$target"
mkdir -p "$corpus" "$findings" "$build/logs"
cp -n fuzz/corpus/"$target"/* "$corpus"/ 2>/dev/null || true
log="$build/logs/$target.log"
echo "fuzz: $target for ${seconds}s, log in $log"
start=$(date +%s)
status=0
stamp="$build/logs/$target.start"
: >"$stamp"
# -close_fd_mask=1 drops the program's own standard output; libFuzzer and the sanitizers still
# report on standard error. Leak checking stays on (the targets also check engine objects).
SDL_AUDIODRIVER=dummy nice -n 19 "$build/fuzz/fuzz_$target" "$corpus" fuzz/corpus/"$target" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 -close_fd_mask=1 \
    -artifact_prefix="$findings/" -print_final_stats=1 "$@" >"$log" 2>&1 || status=$?
end=$(date +%s)
echo "$target $((end - start))s status $status $(date -u +%Y-%m-%dT%H:%M:%SZ)" >>"$build/logs/runs.txt"
tail -n 12 "$log"
# Every input saved during this run is a finding. libFuzzer names a file by what it found, except
# that a leak reported only at exit lands in a crash- file: the log says which.
found=0
for file in $(find "$findings" -type f -newer "$stamp" | sort); do
    case "$(basename "$file")" in
    leak-*) kind=leak ;;
    timeout-*) kind=timeout ;;
    oom-*) kind="out of memory" ;;
    slow-unit-*) kind="slow input" ;;
    *) if grep -q "ERROR: LeakSanitizer" "$log"; then kind=leak; else kind=crash; fi ;;
    esac
    echo "fuzz: $target finding ($kind): $file" >&2
    found=1
done
rm -f "$stamp"
if [ "$found" -eq 0 ] && [ "$status" -ne 0 ]; then
    if grep -q "ERROR: LeakSanitizer" "$log"; then kind=leak; else kind="failure"; fi
    echo "fuzz: $target stopped with status $status, a $kind with no input saved; see $log" >&2
    found=1
fi
[ "$found" -eq 0 ] && echo "fuzz: $target found nothing"
exit "$found"
