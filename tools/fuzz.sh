#!/usr/bin/env bash
# Builds the fuzz targets with clang, libFuzzer, ASan and UBSan, then fuzzes one of them.
#   tools/fuzz.sh <name> [seconds]     e.g. tools/fuzz.sh listing_file 300
# New crash inputs land in fuzz/corpus/<name>/ and are replayed by the normal test run.
set -euo pipefail
cd "$(dirname "$0")/.."
name=${1:?usage: tools/fuzz.sh <name> [seconds]}
seconds=${2:-60}
# One build folder per target, so several fuzzers can be built and run side by side.
build="build-fuzz-$name"
CC=clang-14 CXX=clang++-14 cmake -S . -B "$build" -G Ninja -DQEX_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target "fuzz_$name"
mkdir -p "fuzz/corpus/$name" "$build/work"
export QT_QPA_PLATFORM=offscreen
"./$build/fuzz/fuzz_$name" -max_total_time="$seconds" -artifact_prefix="fuzz/corpus/$name/crash-" \
  "$build/work" "fuzz/corpus/$name"
