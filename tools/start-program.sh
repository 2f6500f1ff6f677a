#!/usr/bin/env bash
# Starts the built program from its run folder; with no display, under a virtual one.
set -euo pipefail
build=${1:-build}; shift || true
bin="$build/bin/qex"
[ -x "$bin" ] || { echo "The program has not been built: $bin is missing" >&2; exit 1; }
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a "$bin" "$@"
fi
exec "$bin" "$@"
