#!/usr/bin/env bash
# Builds the fuzz targets with clang, libFuzzer, ASan and UBSan, then fuzzes one of them.
#   tools/fuzz.sh <name> [seconds]     e.g. tools/fuzz.sh listing_file 300
# New crash inputs land in fuzz/corpus/<name>/ and are replayed by the normal test run.
#   tools/fuzz.sh --all [seconds]      builds every target in one folder and runs each for a
#                                      few seconds (3 by default), as the test run does, so that
#                                      no fuzzer stops building or starting unseen; what it finds
#                                      stays in that folder
# Every sanitizer report ends its target with a failure (the build doesn't recover from one and
# these options halt at it), and the build fails on a warning as the normal one does.
set -euo pipefail
cd "$(dirname "$0")/.."
name=${1:?usage: tools/fuzz.sh <name>|--all [seconds]}
export QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
export ASAN_OPTIONS=${ASAN_OPTIONS:-halt_on_error=1}

if [ "$name" = --all ]; then
  seconds=${2:-3}
  build=${FUZZ_BUILD_DIR:-build-fuzz-all}
  # Without debug information and at -O1 the build costs about half as much; it only has to run.
  CC=clang-14 CXX=clang++-14 cmake -S . -B "$build" -G Ninja -DQEX_FUZZ=ON -DCMAKE_BUILD_TYPE=None \
    -DCMAKE_CXX_FLAGS=-O1 -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
  targets=()
  for fragment in fuzz/*.cmake; do
    targets+=("$(basename "$fragment" .cmake)")
  done
  cmake --build "$build" --target "${targets[@]/#/fuzz_}"
  failed=()
  for target in "${targets[@]}"; do
    rm -rf "$build/work/$target" && mkdir -p "$build/work/$target" "$build/findings"
    echo "fuzz_$target: ${seconds} s"
    "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -artifact_prefix="$build/findings/$target-" \
      "$build/work/$target" "fuzz/corpus/$target" >"$build/work/$target.log" 2>&1 \
      || { failed+=("$target"); tail -n 30 "$build/work/$target.log"; }
  done
  if [ ${#failed[@]} -gt 0 ]; then
    echo "Fuzz targets that failed: ${failed[*]} (logs in $build/work/, inputs in $build/findings/)" >&2
    exit 1
  fi
  echo "All ${#targets[@]} fuzz targets built and ran."
  exit 0
fi

seconds=${2:-60}
# One build folder per target, so several fuzzers can be built and run side by side.
build="build-fuzz-$name"
CC=clang-14 CXX=clang++-14 cmake -S . -B "$build" -G Ninja -DQEX_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build "$build" --target "fuzz_$name"
mkdir -p "fuzz/corpus/$name" "$build/work"
"./$build/fuzz/fuzz_$name" -max_total_time="$seconds" -artifact_prefix="fuzz/corpus/$name/crash-" \
  "$build/work" "fuzz/corpus/$name"
