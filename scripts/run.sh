#!/bin/sh
# Installs what is missing, builds the reader and runs it on the bundled book. Arguments go to
# the reader (for example --headless --script FILE). It shares build/ and its build type with
# scripts/test.sh, so running one after the other compiles nothing twice.
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target lirava
exec build/app/lirava "$@"
