#!/bin/sh
# Runs one libFuzzer target for a given time: scripts/fuzz.sh TARGET SECONDS [libFuzzer options]
# Targets: ui_document property_list sprite_atlas bitmap_font driver_script book_archive word_labels (or "list").
# Installs clang and its runtimes when missing, then builds build-fuzz/ with them
# (LIRAVA_BUILD_FUZZ=ON). The run works on a copy of the seed
# corpus in build-fuzz/corpus/TARGET (kept between runs, so runs add up), writes findings to
# build-fuzz/findings/TARGET/ and its log to build-fuzz/logs/TARGET.log, at the lowest priority.
# A finding makes the script exit non-zero; copy the input into tests/fuzz-regressions/TARGET/
# once it is fixed.
set -eu
cd "$(dirname "$0")/.."
targets="ui_document property_list sprite_atlas bitmap_font driver_script book_archive word_labels"
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
# -close_fd_mask=1 drops the program's own standard output; libFuzzer and the sanitizers still
# report on standard error. Leak checking stays on (the targets also check engine objects).
SDL_AUDIODRIVER=dummy nice -n 19 "$build/fuzz/fuzz_$target" "$corpus" fuzz/corpus/"$target" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 -close_fd_mask=1 \
    -artifact_prefix="$findings/" -print_final_stats=1 "$@" >"$log" 2>&1 || status=$?
end=$(date +%s)
echo "$target $((end - start))s status $status $(date -u +%Y-%m-%dT%H:%M:%SZ)" >>"$build/logs/runs.txt"
tail -n 12 "$log"
if [ "$status" -ne 0 ]; then
    echo "fuzz: $target stopped with status $status; findings in $findings" >&2
fi
exit "$status"
