#!/usr/bin/env bash
# Starts the built program from its folder (where it keeps QEX.INI, QEX.ALS and Tiedot).
# While its settings point the proxy at this machine, the sample data server is started on a
# free loopback port for the program's lifetime, so F7 fetches real-looking listings.
# With no display, the program runs on a virtual one.
set -euo pipefail
build=${1:-build}; shift || true
here=$(cd "$(dirname "$0")" && pwd)
bin="$build/bin/qex"
[ -x "$bin" ] || { echo "The program has not been built: $bin is missing" >&2; exit 1; }
folder=$(cd "$(dirname "$bin")" && pwd)
ini="$folder/QEX.INI"

if [ ! -f "$ini" ]; then
  printf '[Muut]\r\nProxyIP=127.0.0.1\r\nProxyPortti=80\r\n' > "$ini"
fi

server_pid=""
stop_server() { [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true; }
trap stop_server EXIT

if grep -q '^ProxyIP=127\.0\.0\.1' "$ini"; then
  port=$("$here/start-data-server.sh" --pid-file "$folder/.data-server.pid" --log "$folder/data-server.log")
  server_pid=$(cat "$folder/.data-server.pid")
  sed -i "s/^ProxyPortti=.*/ProxyPortti=$port\r/" "$ini"
  echo "Sample data server on 127.0.0.1:$port (its request log: $folder/data-server.log)"
fi

cd "$folder"
status=0
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  xvfb-run -a ./qex "$@" || status=$?
else
  ./qex "$@" || status=$?
fi
# The program ends with exit code 1 when its window is closed: that is a normal end.
[ "$status" -eq 1 ] && status=0
exit "$status"
