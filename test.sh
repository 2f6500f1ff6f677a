#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh
BUILD=${BUILD_DIR:-build}
# A warning is an error here, so none creeps in unseen.
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build "$BUILD"
# A virtual display lets the tests of X11 key grabs run; everything else draws offscreen.
(cd "$BUILD" && xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j "$(nproc)" --timeout 600)
# Every fuzz target still builds with clang's sanitizers and runs a few seconds.
FUZZ_BUILD_DIR="$BUILD-fuzz" tools/fuzz.sh --all
