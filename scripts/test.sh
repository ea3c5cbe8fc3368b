#!/bin/sh
# Installs what is missing, builds everything and runs every test. Extra arguments go to the
# CMake configuration (for example -DLIRAVA_SANITIZE=ON with a build folder of its own:
# BUILD_DIR=build-asan scripts/test.sh -DLIRAVA_SANITIZE=ON). build/ and its build type are those
# of scripts/run.sh, so running one after the other compiles nothing twice.
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build "$build" -j"$(nproc 2>/dev/null || echo 2)"
ctest --test-dir "$build" -j2 --output-on-failure
