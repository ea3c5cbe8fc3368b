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
# Arabic, Devanagari, Thai; Liberation Sans has Latin, Greek, Cyrillic and Hebrew).
# The package checks of the test suite (tests/package) need appstream, desktop-file-utils and
# lintian; cpack's dependency lookup needs dpkg-dev, which build-essential brings.
# The sound server test (tests/resilience) runs a private PulseAudio server and records it with parec.
PACKAGES="build-essential cmake pkg-config
libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev libsdl2-mixer-dev
libjsoncpp-dev libpugixml-dev libsoundtouch-dev libgtest-dev libgmock-dev
libfontconfig-dev libfribidi-dev libharfbuzz-dev libunibreak-dev
fonts-liberation2 fonts-wqy-microhei fonts-kacst-one fonts-lohit-deva fonts-tlwg-loma-otf
python3 xvfb xauth xdotool x11-apps openbox
appstream desktop-file-utils lintian
pulseaudio pulseaudio-utils"
BENCH_PACKAGES="libbenchmark-dev valgrind python3-matplotlib"
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
