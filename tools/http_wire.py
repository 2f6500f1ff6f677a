"""HTTP/1.0 as the data server speaks it: one request per connection, replies written by hand.

The standard library's http.server is avoided on purpose: its file serving answers the program's
fixed If-Modified-Since date with 304 and no body.
"""
import collections
import socket
import struct
import urllib.parse

MAX_HEADER = 64 * 1024
MAX_BODY = 1024 * 1024

Request = collections.namedtuple("Request", "method target path query headers body raw")

REASONS = {200: "OK", 400: "Bad Request", 404: "Not Found", 405: "Method Not Allowed",
           500: "Internal Server Error", 501: "Not Implemented"}


class RequestError(Exception):
    """The request cannot be answered; `raw` holds the bytes received so far."""

    def __init__(self, message, raw, answerable=True):
        super().__init__(message)
        self.raw = raw
        self.answerable = answerable  # False when the client is gone or sent nothing usable


def header_end(data):
    """Index just past the empty line that ends the header, or -1."""
    positions = [p + len(mark) for mark in (b"\r\n\r\n", b"\n\n") if (p := data.find(mark)) >= 0]
    return min(positions) if positions else -1


def receive_more(sock, data):
    try:
        chunk = sock.recv(65536)
    except OSError as error:  # a time-out included
        raise RequestError(f"request not received: {error}", data, False) from None
    if not chunk:
        raise RequestError("connection closed before the request was complete", data, False)
    return data + chunk


def split_target(target):
    """Origin form "/path?query" or absolute form "http://host:port/path?query" -> (path, query)."""
    if target.lower().startswith(("http://", "https://")):
        parts = urllib.parse.urlsplit(target)
        return parts.path or "/", parts.query
    if target.startswith("/"):
        path, _, query = target.partition("?")
        return path, query
    return None


def parse_head(head):
    lines = head.decode("latin-1").replace("\r\n", "\n").split("\n")
    words = lines[0].split(" ")
    if len(words) != 3 or not words[2].startswith("HTTP/"):
        raise ValueError(f"malformed request line: {lines[0]!r}")
    method, target, _ = words
    split = split_target(target)
    if split is None:
        raise ValueError(f"malformed request target: {target!r}")
    headers = {}
    for line in lines[1:]:
        if line:
            name, colon, value = line.partition(":")
            if not colon:
                raise ValueError(f"malformed header line: {line!r}")
            headers.setdefault(name.strip().lower(), value.strip())
    return method, target, split[0], split[1], headers


def content_length(headers, raw):
    text = headers.get("content-length", "0")
    if not text.isdigit() or int(text) > MAX_BODY:
        raise RequestError(f"unusable Content-Length: {text!r}", raw)
    return int(text)


def read_request(sock):
    """Reads one request: its header up to the empty line and as many body bytes as it announces."""
    data = b""
    while (end := header_end(data)) < 0:
        if len(data) > MAX_HEADER:
            raise RequestError("request header too long", data)
        data = receive_more(sock, data)
    try:
        method, target, path, query, headers = parse_head(data[:end])
    except ValueError as error:
        raise RequestError(str(error), data) from None
    total = end + content_length(headers, data)
    while len(data) < total:
        data = receive_more(sock, data)
    raw = data[:total]
    return Request(method, target, path, query, headers, raw[end:], raw)


def reply_head(status, content_type=None, length=None):
    """Status line and header; `length` None leaves Content-Length out."""
    lines = [f"HTTP/1.0 {status} {REASONS.get(status, 'Unknown')}", "Server: qex-data-server"]
    if content_type:
        lines.append(f"Content-Type: {content_type}")
    if length is not None:
        lines.append(f"Content-Length: {length}")
    return ("\r\n".join(lines) + "\r\n\r\n").encode("ascii")


def send_all(sock, data):
    """Sends what it can; a client that went away is not the server's error."""
    try:
        sock.sendall(data)
        return True
    except OSError:
        return False


def close_gracefully(sock, drain_seconds=5.0):
    """Ends the reply with FIN, then reads what the client still sends so no reset is provoked."""
    try:
        sock.shutdown(socket.SHUT_WR)
        sock.settimeout(drain_seconds)
        while sock.recv(65536):
            pass
    except OSError:
        pass
    sock.close()


def close_with_reset(sock):
    """Closes so that the kernel sends RST instead of FIN (linger on, timeout 0)."""
    sock.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
    sock.close()
