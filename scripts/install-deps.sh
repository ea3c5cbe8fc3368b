#!/bin/sh
# Installs the Debian packages that building, running and testing the reader need, when any is
# missing. Uses sudo when not run as root; never asks questions (CI runs it without input).
#   scripts/install-deps.sh [EXTRA_PACKAGE ...]   also the packages a calling script needs
set -eu

PACKAGES="build-essential cmake pkg-config
libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev libsdl2-mixer-dev
libjsoncpp-dev libpugixml-dev libgtest-dev libgmock-dev
fonts-liberation2 python3 xvfb xauth xdotool x11-apps
$*"

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
