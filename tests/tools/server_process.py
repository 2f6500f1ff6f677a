"""Starts the sample data server as its own process and talks to it over real loopback sockets."""
import os
import selectors
import shutil
import socket
import subprocess
import sys
import tempfile

TOOLS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools")
sys.path.insert(0, TOOLS)
SERVER = os.path.join(TOOLS, "data_server.py")
START_SECONDS = 10
SOCKET_SECONDS = 10

# What the program sends, header line by header line (the Host line never has a port).
PROGRAM_HEADERS = (b"Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*\r\n"
                   b"Referer: -\r\n")
PROGRAM_TAIL = (b"User-Agent: QEX 2000 (Kelvaro - ???)\r\nHost: qex.example\r\nPragma: no-cache\r\n")
IF_MODIFIED = b"If-Modified-Since: Tue, 30 Dec 1980 00:00:00 GMT\r\n\r\n"


def program_get(target):
    return b"GET " + target.encode() + b" HTTP/1.0\r\n" + PROGRAM_HEADERS + PROGRAM_TAIL + IF_MODIFIED


def program_post(target, body):
    return (b"POST " + target.encode() + b" HTTP/1.0\r\n" + PROGRAM_HEADERS
            + b"Content-Type: application/x-www-form-urlencoded\r\n" + PROGRAM_TAIL
            + b"Content-Length: " + str(len(body)).encode() + b"\r\n" + IF_MODIFIED + body)


def read_line(stream, seconds):
    """The first line the process writes, or '' when it writes none in time."""
    selector = selectors.DefaultSelector()
    selector.register(stream, selectors.EVENT_READ)
    line = b""
    while not line.endswith(b"\n") and selector.select(seconds):
        chunk = os.read(stream.fileno(), 1)
        if not chunk:
            break
        line += chunk
    selector.close()
    return line.decode()


class Reply:
    def __init__(self, raw):
        self.raw = raw
        head, _, self.body = raw.partition(b"\r\n\r\n")
        lines = head.decode("latin-1").split("\r\n")
        self.status_line = lines[0]
        self.status = int(lines[0].split(" ")[1])
        self.headers = {name.lower(): value.strip()
                        for name, _, value in (line.partition(":") for line in lines[1:])}

    def content_length(self):
        return int(self.headers["content-length"])


class DataServerProcess:
    def __init__(self, *arguments):
        self.folder = tempfile.mkdtemp(prefix="qex-server-test-")
        self.log_path = os.path.join(self.folder, "requests.log")
        self.errors = open(os.path.join(self.folder, "stderr.txt"), "wb")
        self.process = subprocess.Popen(
            [sys.executable, SERVER, "--log", self.log_path, *arguments],
            stdout=subprocess.PIPE, stderr=self.errors, stdin=subprocess.DEVNULL)
        line = read_line(self.process.stdout, START_SECONDS)
        if not line.strip().isdigit():
            self.stop()
            raise RuntimeError(f"the server printed no port: {line!r}")
        self.port = int(line)

    def stop(self):
        self.process.terminate()
        try:
            self.process.wait(5)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait(5)
        self.process.stdout.close()
        self.errors.close()
        shutil.rmtree(self.folder, ignore_errors=True)

    def connect(self, seconds=SOCKET_SECONDS):
        return socket.create_connection(("127.0.0.1", self.port), timeout=seconds)

    def exchange(self, request):
        """Sends the request and reads until the server closes the connection."""
        with self.connect() as sock:
            sock.sendall(request)
            received = b""
            while chunk := sock.recv(65536):
                received += chunk
        return Reply(received)

    def get(self, target):
        return self.exchange(program_get(target))

    def post(self, target, body):
        return self.exchange(program_post(target, body))

    def control(self, query):
        return self.exchange(f"GET /control/{query} HTTP/1.0\r\n\r\n".encode())

    def log_bytes(self):
        if not os.path.exists(self.log_path):
            return b""
        with open(self.log_path, "rb") as log:
            return log.read()
