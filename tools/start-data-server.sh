#!/usr/bin/env bash
# Starts the sample data server in the background on a free loopback port and prints the port.
#
#   tools/start-data-server.sh [data_server.py options...]
#
# Pass --pid-file FILE to be able to stop it later (kill "$(cat FILE)"), and --log FILE for the
# request log. The server's own output goes to a folder made for it; its path is printed on
# failure, and once the server is up the folder goes (the server keeps writing to its open files).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# Asked for help, it starts nothing and leaves nothing behind.
for arg in "$@"; do
  case $arg in
    -h | --help)
      echo "Usage: tools/start-data-server.sh [data_server.py options...]"
      echo "Starts the sample data server in the background on a free loopback port and prints the port."
      echo "Pass --pid-file FILE to stop it later (kill \"\$(cat FILE)\"), and --log FILE for the request log."
      echo
      exec python3 "$here/data_server.py" --help
      ;;
  esac
done
work=$(mktemp -d "${TMPDIR:-/tmp}/qex-data-server.XXXXXX")
python3 "$here/data_server.py" --port 0 --port-file "$work/port" "$@" \
  </dev/null >"$work/stdout" 2>"$work/stderr" &
pid=$!
disown "$pid" 2>/dev/null || true
for _ in $(seq 1 200); do
  if [ -s "$work/port" ]; then
    cat "$work/port"
    rm -rf "$work"
    exit 0
  fi
  if ! kill -0 "$pid" 2>/dev/null; then
    break
  fi
  sleep 0.05
done
echo "The sample data server did not start; its messages are in $work/stderr:" >&2
cat "$work/stderr" >&2
kill "$pid" 2>/dev/null || true
exit 1
