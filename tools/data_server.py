#!/usr/bin/env python3
"""Sample data server for QEX 2000: the version files and listing packages, over HTTP/1.0.

    tools/data_server.py [--port N] [--port-file FILE] [--pid-file FILE] [--log FILE]
                         [--build NNN] [--news NNN] [--program-url URL] [--news-url URL]
                         [--today YYYY-MM-DD] [--seed N]
                         [--fault MODE] [--fault-on SCOPE] [--fault-count N] [--stall-seconds S]

It listens on 127.0.0.1 only, on the given port or (0, the default) a free one, and prints the
port as its first line of output. One request per connection; the reply ends when the server
closes the connection. Request lines may carry an absolute URI, as they do through a proxy.

    GET  /qex/data/versio2.txt    the version file (the program stores it and never reads it)
    GET  /qex/data/versio.txt     "<build> <program url>" CR LF "<news> <news url>" CR LF; an empty
                                  announcement number leaves the second line out
    POST /qex/data/qex.cgi        body "files=CC-WW,CC-WW,...": a gzip'd tar of the listing files
                                  "CC-WW.QEX", made on the fly; names that are not of that form, an
                                  unknown channel code or a week without a Monday are left out of
                                  the package; a body not beginning with "files=" gets 400

Week WW is the week of the year with weeks beginning on Sunday (1 January in week 1) that holds
the file's Monday; the Monday nearest to the server's today (--today, default the real date) is
used, so the weeks around New Year resolve to the right year.

Every request except the control requests is appended to the log file byte for byte (request
line, header lines, the empty line and the body) followed by LOG_SEPARATOR.

Control requests, which the program never makes (each answered 200 "ok", or 400 with the reason):
    GET /control/fault?mode=MODE[&on=SCOPE][&count=N]   fault MODE (see server_faults) on the
        requests of SCOPE (qex, versio, versio2, all; default qex) for the next N of them (default
        all of them); mode=none ends a fault
    GET /control/version?build=NNN&news=NNN&program_url=URL&news_url=URL   any of them
    GET /control/today?date=YYYY-MM-DD   the date week numbers are resolved against ("" = real)
"""
import argparse
import datetime
import os
import signal
import socketserver
import sys
import threading
import urllib.parse

import http_wire
import listing_package
import listing_week
import sample_schedule
import server_faults

LOG_SEPARATOR = b"\r\n===== end of request =====\r\n"
VERSION_PATHS = ("/qex/data/versio2.txt", "/qex/data/versio.txt")
LISTING_PATH = "/qex/data/qex.cgi"
REQUEST_SECONDS = 30
SEND_SECONDS = 60


def three_digits(text):
    return text.zfill(3) if text.isdigit() else text


class ServerState:
    """What the control requests change, shared by the connection threads."""

    def __init__(self, args):
        self.lock = threading.Lock()
        self.stop_event = threading.Event()
        self.log_path = args.log
        self.seed = args.seed
        self.stall_seconds = args.stall_seconds
        self.version = {"build": args.build, "news": args.news, "program_url": args.program_url,
                        "news_url": args.news_url}
        self.today = args.today
        self.set_fault(args.fault, args.fault_on, args.fault_count)

    def set_fault(self, mode, scope, count):
        if mode not in server_faults.MODES:
            raise ValueError(f"unknown fault mode {mode!r}; one of {', '.join(server_faults.MODES)}")
        if scope not in server_faults.SCOPES:
            raise ValueError(f"unknown fault scope {scope!r}; one of {', '.join(server_faults.SCOPES)}")
        if count is not None and count < 1:
            raise ValueError("the fault count must be at least 1")
        with self.lock:
            self.fault = (mode, scope, count)

    def take_fault(self, path):
        """The fault mode for this request, counting it against the fault's count."""
        with self.lock:
            mode, scope, count = self.fault
            if mode == "none" or path not in server_faults.SCOPES[scope]:
                return "none"
            if count is not None:
                self.fault = (mode, scope, count - 1) if count > 1 else ("none", "qex", None)
            return mode

    def set_version(self, fields):
        with self.lock:
            self.version.update(fields)

    def version_file(self):
        with self.lock:
            version = dict(self.version)
        lines = [f"{three_digits(version['build'])} {version['program_url']}"]
        if version["news"]:
            lines.append(f"{three_digits(version['news'])} {version['news_url']}")
        return "".join(line + "\r\n" for line in lines).encode("cp1252")

    def set_today(self, date):
        with self.lock:
            self.today = date

    def current_day(self):
        with self.lock:
            return self.today or datetime.date.today()

    def log(self, raw):
        if not self.log_path or not raw:
            return
        with self.lock, open(self.log_path, "ab") as out:
            out.write(raw + LOG_SEPARATOR)


def listing_members(body_text, today, seed):
    """(member name, file bytes) for each usable "CC-WW" of the request body, first mention only."""
    members = []
    seen = set()
    for name in (part.strip() for part in body_text.split(",")):
        parsed = listing_week.parse_file_name(name)
        if parsed is None or name in seen or parsed[0] not in sample_schedule.CHANNEL_BY_CODE:
            continue
        monday = listing_week.monday_for_week(parsed[1], today)
        if monday is None:
            continue
        seen.add(name)
        members.append((f"{name}.QEX", sample_schedule.week_listing(parsed[0], monday, seed)))
    return members


def text_reply(status, text):
    return status, "text/plain", (text + "\r\n").encode("cp1252")


def listing_reply(state, request):
    body = request.body.decode("cp1252", errors="replace")
    if not body.startswith("files="):
        return text_reply(400, 'The body must begin with "files="')
    members = listing_members(body[len("files="):], state.current_day(), state.seed)
    return 200, "application/octet-stream", listing_package.listing_package(members)


def data_reply(state, request):
    """(status, content type, body) of a request for the program's paths."""
    if request.path in VERSION_PATHS:
        if request.method != "GET":
            return text_reply(405, "Use GET")
        return 200, "text/plain", state.version_file()
    if request.path == LISTING_PATH:
        if request.method != "POST":
            return text_reply(405, "Use POST")
        return listing_reply(state, request)
    return text_reply(404, f"No such document: {request.path}")


def control_reply(state, request):
    query = dict(urllib.parse.parse_qsl(request.query, keep_blank_values=True))
    try:
        if request.path == "/control/fault":
            count = int(query["count"]) if query.get("count") else None
            state.set_fault(query.get("mode", ""), query.get("on", "qex"), count)
        elif request.path == "/control/version":
            state.set_version({key: value for key, value in query.items() if key in state.version})
        elif request.path == "/control/today":
            date = query.get("date", "")
            state.set_today(datetime.date.fromisoformat(date) if date else None)
        else:
            return text_reply(404, f"No such control: {request.path}")
    except (KeyError, ValueError) as error:
        return text_reply(400, str(error))
    return text_reply(200, "ok")


class DataRequestHandler(socketserver.BaseRequestHandler):
    def handle(self):
        state = self.server.state
        sock = self.request
        sock.settimeout(REQUEST_SECONDS)
        try:
            request = http_wire.read_request(sock)
        except http_wire.RequestError as error:
            state.log(error.raw)
            if error.raw:
                self.report(error.raw[:80], f"refused: {error}")
            if error.answerable:
                status, content_type, body = text_reply(400, str(error))
                http_wire.send_all(sock, http_wire.reply_head(status, content_type, len(body)) + body)
            http_wire.close_gracefully(sock)
            return
        sock.settimeout(SEND_SECONDS)
        if request.path.startswith("/control/"):
            self.answer(sock, request, control_reply(state, request), "none")
            return
        state.log(request.raw)
        self.answer(sock, request, data_reply(state, request), state.take_fault(request.path))

    def answer(self, sock, request, reply, mode):
        status, content_type, body = reply
        self.report(f"{request.method} {request.target}".encode("latin-1"),
                    f"{status}" + (f" with fault {mode}" if mode != "none" else ""))
        if server_faults.send_faulty(sock, mode, status, content_type, body, self.server.state.stop_event,
                                     self.server.state.stall_seconds):
            http_wire.close_gracefully(sock)

    def report(self, what, outcome):
        print(f"{what.decode('latin-1')!r}: {outcome}", file=sys.stderr, flush=True)


class DataServer(socketserver.ThreadingTCPServer):
    allow_reuse_address = True
    daemon_threads = True
    block_on_close = False

    def __init__(self, port, state):
        self.state = state
        super().__init__(("127.0.0.1", port), DataRequestHandler)


def parse_arguments(argv):
    parser = argparse.ArgumentParser(description="Sample data server for QEX 2000 (127.0.0.1 only).")
    parser.add_argument("--port", type=int, default=0, help="port to listen on; 0 picks a free one")
    parser.add_argument("--port-file", help="also write the chosen port into this file")
    parser.add_argument("--pid-file", help="write the server's process id into this file")
    parser.add_argument("--log", help="append every request received, byte for byte, to this file")
    parser.add_argument("--build", default="476", help="latest program version in the version file (digits are padded to three)")
    parser.add_argument("--news", default="100", help="latest announcement number; empty = no line 2")
    parser.add_argument("--program-url", default="http://www.example.com/qex/")
    parser.add_argument("--news-url", default="http://www.example.com/qex/ilmoitus.html")
    parser.add_argument("--today", type=datetime.date.fromisoformat,
                        help="date that week numbers are resolved against (default: the real date)")
    parser.add_argument("--seed", type=int, default=0, help="varies the generated programmes")
    parser.add_argument("--fault", default="none", help="one of: " + ", ".join(server_faults.MODES))
    parser.add_argument("--fault-on", default="qex", help="one of: " + ", ".join(server_faults.SCOPES))
    parser.add_argument("--fault-count", type=int, help="fault only the next N matching requests")
    parser.add_argument("--stall-seconds", type=float, default=600.0, help="how long a stall lasts")
    return parser.parse_args(argv)


def write_file_atomically(path, text):
    """Whoever polls for the file never sees it half written."""
    temporary = f"{path}.{os.getpid()}.tmp"
    with open(temporary, "w", encoding="ascii") as out:
        out.write(text + "\n")
    os.replace(temporary, path)


def main(argv=None):
    args = parse_arguments(sys.argv[1:] if argv is None else argv)
    try:
        state = ServerState(args)
    except ValueError as error:
        print(f"data_server: {error}", file=sys.stderr)
        return 2
    server = DataServer(args.port, state)
    port = server.server_address[1]
    if args.pid_file:
        write_file_atomically(args.pid_file, str(os.getpid()))
    if args.port_file:
        write_file_atomically(args.port_file, str(port))
    print(port, flush=True)
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    try:
        server.serve_forever(poll_interval=0.2)
    except KeyboardInterrupt:
        pass
    finally:
        state.stop_event.set()
        server.server_close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
