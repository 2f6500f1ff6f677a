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
build=${1:-build}
shift || true
here=$(cd "$(dirname "$0")" && pwd)
bin="$build/bin/qex"
[ -x "$bin" ] || { echo "The program has not been built: $bin is missing" >&2; exit 1; }
folder=$(cd "$(dirname "$bin")" && pwd)
ini="$folder/QEX.INI"
lock="$folder/.QEX.LCK"

# A running copy holds a lock on the lock file: the system's lock table tells, without this script
# taking the lock itself, which would turn away a copy starting at that very moment. A table that
# can't be read leaves the folder to a running copy as well.
folder_held() {
  [ -e "$lock" ] || return 1
  [ -r /proc/locks ] || return 0
  local wanted
  wanted=$(stat -L -c '%Hd %Ld %i' "$lock" | { read -r major minor inode; printf '%02x:%02x:%s' "$major" "$minor" "$inode"; })
  LC_ALL=C awk -v wanted="$wanted" '$2 == "FLOCK" && $6 == wanted { found = 1 } END { exit !found }' /proc/locks
}
running=""
if folder_held; then
  running=1
fi

# QEX.INI is Windows-1252 text with CR LF line ends, read byte by byte (LC_ALL=C on each tool that
# reads it, not on the program, which keeps the caller's locale). Section and key names compare
# ignoring case and values are trimmed, as the program reads them.
INI_RULES='
  function trim(s) { sub(/^[ \t]+/, "", s); sub(/[ \t\r]+$/, "", s); return s }
  function bare(line) { sub(/\r$/, "", line); return line }
  function section(line) {
    line = trim(bare(line))
    return line ~ /^\[.*\]$/ ? tolower(trim(substr(line, 2, length(line) - 2))) : ""
  }
  function key(line,  eq) { eq = index(line, "="); return eq ? tolower(trim(substr(line, 1, eq - 1))) : "" }
  function value(line) { return trim(substr(bare(line), index(line, "=") + 1)) }
'
# The value of `key` in section `name` (the first one, as the program takes it); empty when none.
ini_value() {
  [ -f "$ini" ] || return 0
  LC_ALL=C awk -v name="$1" -v wanted="$2" "$INI_RULES"'
    section($0) != "" { inside = section($0) == tolower(name); next }
    inside && key($0) == tolower(wanted) { print value($0); exit }
  ' "$ini"
}
# Sets `key` in section `name`: its first line is replaced, or a line goes at the end of the
# section, or the section is added. The whole new file replaces the old one at once.
ini_set() {
  local source=/dev/null temporary
  [ -f "$ini" ] && source=$ini
  temporary=$(mktemp "$folder/.QEX.INI.XXXXXX")
  if [ -f "$ini" ]; then
    chmod --reference="$ini" "$temporary"
    chown --reference="$ini" "$temporary" 2>/dev/null || true
  fi
  if ! LC_ALL=C awk -v name="$1" -v wanted="$2" -v new="$2=$3" "$INI_RULES"'
    { lines[NR] = $0 }
    END {
      for (i = 1; i <= NR; i++) {
        if (section(lines[i]) != "") {
          inside = section(lines[i]) == tolower(name)
          inFirst = inside && !first
          if (inFirst)
            first = last = i
          continue
        }
        if (inside && !found && key(lines[i]) == tolower(wanted))
          found = i
        if (inFirst && trim(bare(lines[i])) != "")
          last = i
      }
      for (i = 1; i <= NR; i++) {
        print (i == found ? new "\r" : lines[i])
        if (!found && first && i == last)
          print new "\r"
      }
      if (!first)
        printf "[%s]\r\n%s\r\n", name, new
    }
  ' "$source" > "$temporary"; then
    rm -f "$temporary"
    return 1
  fi
  mv -f "$temporary" "$ini"
}

# No proxy named: the sample server's, under [Muut], which the program reads it from.
if [ -z "$running" ] && [ -z "$(ini_value Muut ProxyIP)" ]; then
  ini_set Muut ProxyIP 127.0.0.1
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

if [ -z "$running" ] && [ "$(ini_value Muut ProxyIP)" = 127.0.0.1 ]; then
  port=$("$here/start-data-server.sh" --pid-file "$folder/.data-server.pid" --log "$folder/data-server.log")
  server_pid=$(cat "$folder/.data-server.pid")
  # The port changes from run to run.
  ini_set Muut ProxyPortti "$port"
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
