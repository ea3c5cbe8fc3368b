#!/bin/sh
# Installs what is missing, builds the reader and runs it on the bundled book. Arguments go to
# the reader (for example --headless --script FILE).
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j2 --target lirava
exec build/app/lirava "$@"
