#!/usr/bin/env bash
# Starts the built program from its folder (where it keeps QEX.INI, QEX.ALS and Tiedot).
#
#   tools/start-program.sh [build folder] [program arguments...]
#
# Whenever the settings name no proxy (a first run, or the defaults restored) the proxy is pointed
# at this machine. While it points here, the sample data server is started on a free loopback port
# for the program's lifetime and the port goes into QEX.INI, so F7 fetches real-looking listings.
# A start while a copy runs on the folder only brings that copy forward: its settings and its
# server are left as they are. With no display, the program runs on a virtual one.
set -euo pipefail
# QEX.INI is Windows-1252 text with CR LF line ends: matched byte by byte.
export LC_ALL=C
build=${1:-build}
shift || true
here=$(cd "$(dirname "$0")" && pwd)
bin="$build/bin/qex"
[ -x "$bin" ] || { echo "The program has not been built: $bin is missing" >&2; exit 1; }
folder=$(cd "$(dirname "$bin")" && pwd)
ini="$folder/QEX.INI"

# The running copy holds the lock file; one that can't even be opened is not ours to judge either.
running=""
if [ -e "$folder/.QEX.LCK" ] && ! flock -n "$folder/.QEX.LCK" true 2>/dev/null; then
  running=1
fi

# No proxy named: the sample server's, under [Muut], which the program reads it from.
point_proxy_here() {
  if [ ! -f "$ini" ]; then
    printf '[Muut]\r\nProxyIP=127.0.0.1\r\n' > "$ini"
  elif grep -q $'^ProxyIP=\r\\?$' "$ini"; then
    sed -i -e $'s/^ProxyIP=\r\\?$/ProxyIP=127.0.0.1\r/' "$ini"
  elif grep -q $'^\\[Muut\\]\r\\?$' "$ini"; then
    sed -i -e $'/^\\[Muut\\]\r\\?$/a ProxyIP=127.0.0.1\r' "$ini"
  else
    printf '[Muut]\r\nProxyIP=127.0.0.1\r\n' >> "$ini"
  fi
}
if [ -z "$running" ] && { [ ! -f "$ini" ] || ! grep -q '^ProxyIP=[^[:space:]]' "$ini"; }; then
  point_proxy_here
fi

server_pid=""
stop_server() {
  if [ -n "$server_pid" ]; then
    kill "$server_pid" 2>/dev/null || true
    server_pid=""
  fi
}
trap stop_server EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

if [ -z "$running" ] && grep -q $'^ProxyIP=127\\.0\\.0\\.1\r\\?$' "$ini"; then
  port=$("$here/start-data-server.sh" --pid-file "$folder/.data-server.pid" --log "$folder/data-server.log")
  server_pid=$(cat "$folder/.data-server.pid")
  # The port changes from run to run; it goes right under the proxy's address.
  sed -i -e '/^ProxyPortti=/d' -e "/^ProxyIP=/a ProxyPortti=$port"$'\r' "$ini"
  echo "Sample data server on 127.0.0.1:$port (its request log: $folder/data-server.log)"
fi

cd "$folder"
status=0
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: the program runs on a virtual one (xvfb-run)."
  xvfb-run -a -s "-screen 0 1280x1024x24" ./qex "$@" || status=$?
else
  ./qex "$@" || status=$?
fi
# The program ends with exit code 1 when its window is closed: that is a normal end.
[ "$status" -eq 1 ] && status=0
exit "$status"
