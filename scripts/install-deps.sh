#!/bin/sh
# Installs the Debian packages that building, running and testing the reader need, when any is
# missing. Uses sudo when not run as root; never asks questions (CI runs it without input).
#   sh scripts/install-deps.sh [GROUP...]
# Each GROUP adds the packages of one more script to the common list:
#   bench   scripts/bench.sh, bench/callgrind_*.py and bench/charts.py
#   fuzz    scripts/fuzz.sh (clang and the runtimes of libFuzzer and the sanitizers)
set -eu

# Text in other scripts: the font matcher, bidirectional order, script properties and line
# breaking; and the smallest fonts that cover the scripts the tests draw (Chinese and Japanese,
# Arabic, Devanagari, Thai, Lao, Khmer, Burmese; Liberation Sans has Latin, Greek, Cyrillic and
# Hebrew).
# The package checks of the test suite (tests/package) need appstream, desktop-file-utils and
# lintian; cpack's dependency lookup needs dpkg-dev, which build-essential brings.
# The aligner (tools/align): PocketSphinx with its US English model, espeak-ng's library,
# libsndfile (WAV, MP3, OGG, FLAC) and libsamplerate; its tests speak with the espeak-ng command
# and align the public-domain audiobook clips of pocketsphinx-testdata.
# One-file books are ZIP archives (read with minizip, written with libzip; zip makes them in
# tests); the package test looks their file type up with gio (libglib2.0-bin) in a type database
# built by shared-mime-info.
# The sound server test (tests/resilience) runs a private PulseAudio server and records it with parec.
PACKAGES="build-essential cmake pkg-config
libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev libsdl2-mixer-dev
libjsoncpp-dev libpugixml-dev libsoundtouch-dev libgtest-dev libgmock-dev
libfontconfig-dev libfribidi-dev libharfbuzz-dev libicu-dev
libminizip-dev libzip-dev zip shared-mime-info libglib2.0-bin
fonts-liberation2 fonts-wqy-microhei fonts-kacst-one fonts-lohit-deva fonts-tlwg-loma-otf
fonts-lao fonts-khmeros fonts-sil-padauk
python3 xvfb xauth xdotool x11-apps openbox
appstream desktop-file-utils lintian
libpocketsphinx-dev libsphinxbase-dev pocketsphinx-en-us libespeak-ng-dev libsndfile1-dev libsamplerate0-dev
espeak-ng libespeak-ng1 pocketsphinx-testdata
pulseaudio pulseaudio-utils"
# The read-along test (tests/readalong) checks the lit words against the synthesiser's own word
# events: libespeak-ng, and the espeak-ng command whose audio the narration is, are in the list.
# The book maker (tools/make): manifests, archives, MP3 encoding, synthetic speech, EXIF
# orientation; its tests take a photograph from python-matplotlib-data.
PACKAGES="$PACKAGES libyaml-cpp-dev libmp3lame-dev libexif-dev espeak-ng-data python-matplotlib-data"
# bench/align/accuracy.py reads the story through tools/bookgen (Pillow) and correlates with numpy.
BENCH_PACKAGES="libbenchmark-dev valgrind python3-matplotlib python3-pil python3-numpy"
FUZZ_PACKAGES="clang-14 libclang-rt-14-dev"

for group in "$@"; do
    case "$group" in
    bench) PACKAGES="$PACKAGES $BENCH_PACKAGES" ;;
    fuzz) PACKAGES="$PACKAGES $FUZZ_PACKAGES" ;;
    *)
        echo "install-deps: unknown group \"$group\" (bench, fuzz)" >&2
        exit 2
        ;;
    esac
done

missing=""
for package in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done
[ -z "$missing" ] && exit 0

echo "install-deps: installing$missing"
if [ "$(id -u)" -eq 0 ]; then
    as_root=""
elif command -v sudo >/dev/null 2>&1; then
    as_root="sudo"
else
    echo "install-deps: missing$missing; run as root or install sudo" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
$as_root apt-get update -q
# shellcheck disable=SC2086
$as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
