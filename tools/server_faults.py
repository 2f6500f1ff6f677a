"""The ways the data server can misbehave on purpose, so tests can watch the program cope.

Every mode replaces the normal reply of a data request (the version files, the listing request):
    none        the normal reply
    404, 500    that status with a short text body
    reset       the header and half the body, then a TCP reset
    wholereset  the whole reply, then a TCP reset as soon as the client has all of it
    short       a Content-Length of the whole body, half of it, then a normal close
    stall       the header and half the body, then silence until the stall time is over
    garbage     status 200 and bytes that are neither gzip nor tar
    hostile     status 200 and a package with "../evil", "/tmp/abs", a symbolic link and a
                member whose size field claims 8 GiB
    nolength    the normal reply without a Content-Length line
    zerolength  "Content-Length: 0" and no body
    endless     the normal reply without a Content-Length line, then filler bytes without end
                until the client goes
    smalllength a Content-Length of half the body, then the whole body and 1 GiB of filler
    negativelength  "Content-Length: -1", then the body
    twolengths  two Content-Length lines of different values, then the body
    atbound     a Content-Length of exactly the program's download bound (64 MiB), then the body
    pastbound   a Content-Length one byte past that bound, then the body
    noreply     the connection closed without a byte of reply
    bomb        status 200 and a small gzip package that unpacks past the program's bound (65 MiB
                of zeros)
"""
import fcntl
import random
import struct
import termios

import http_wire
import listing_package

MODES = ("none", "404", "500", "reset", "wholereset", "short", "stall", "garbage", "hostile",
         "nolength", "zerolength", "endless", "smalllength", "negativelength", "twolengths", "atbound",
         "pastbound", "noreply", "bomb")

# Which requests a fault applies to: the listing request by default, so that the version check
# before it still works and the fault lands where the package is written.
SCOPES = {"qex": ("/qex/data/qex.cgi",), "versio": ("/qex/data/versio.txt",),
          "versio2": ("/qex/data/versio2.txt",),
          "all": ("/qex/data/qex.cgi", "/qex/data/versio.txt", "/qex/data/versio2.txt")}

# Reset after the half body only once the client has had time to read it.
RESET_DELAY_SECONDS = 0.3
# How long a whole reply may take to reach the client before it is reset anyway.
DRAIN_SECONDS = 10.0


def wait_until_received(sock, stop_event, seconds=DRAIN_SECONDS):
    """Waits until the client has acknowledged every byte sent: a reset drops whatever the
    kernel still holds, and the point of the reset is to come after the last byte."""
    for _ in range(int(seconds / 0.01)):
        unacknowledged = struct.unpack("i", fcntl.ioctl(sock.fileno(), termios.TIOCOUTQ, b"\0" * 4))[0]
        if unacknowledged == 0 or stop_event.is_set():
            return
        stop_event.wait(0.01)


FILLER = b"\0" * (64 * 1024)
# The program's bound on a download reply.
DOWNLOAD_BOUND = 64 * 1024 * 1024
SMALL_LENGTH_FILLER = 1024 * 1024 * 1024


def send_filler(sock, stop_event, total=None):
    """Sends filler until `total` bytes (None: without end) or until the client goes."""
    sent = 0
    while not stop_event.is_set() and (total is None or sent < total):
        if not http_wire.send_all(sock, FILLER):
            return False
        sent += len(FILLER)
    return True


def garbage_bytes(size=3000):
    """Deterministic noise; its first bytes are text, so it can never start like gzip."""
    noise = random.Random("garbage").randbytes(size)
    return b"<garbage>\r\n" + noise


def send_faulty(sock, mode, status, content_type, body, stop_event, stall_seconds):
    """Sends the reply that `mode` calls for instead of (status, content_type, body).

    Returns True when the connection may be closed normally, False when it has been dealt with.
    """
    half = body[: len(body) // 2]
    if mode in ("404", "500"):
        text = f"{mode} {http_wire.REASONS[int(mode)]}\r\n".encode("ascii")
        return http_wire.send_all(sock, http_wire.reply_head(int(mode), "text/plain", len(text)) + text)
    if mode == "reset":
        http_wire.send_all(sock, http_wire.reply_head(status, content_type, len(body)) + half)
        stop_event.wait(RESET_DELAY_SECONDS)
        http_wire.close_with_reset(sock)
        return False
    if mode == "wholereset":
        if http_wire.send_all(sock, http_wire.reply_head(status, content_type, len(body)) + body):
            wait_until_received(sock, stop_event)
        http_wire.close_with_reset(sock)
        return False
    if mode in ("short", "stall"):
        http_wire.send_all(sock, http_wire.reply_head(status, content_type, len(body)) + half)
        if mode == "stall":
            stop_event.wait(stall_seconds)
        return True
    if mode == "garbage":
        noise = garbage_bytes()
        return http_wire.send_all(sock, http_wire.reply_head(200, content_type, len(noise)) + noise)
    if mode == "hostile":
        package = listing_package.hostile_package()
        return http_wire.send_all(sock, http_wire.reply_head(200, content_type, len(package)) + package)
    if mode == "bomb":
        package = listing_package.bomb_package()
        return http_wire.send_all(sock, http_wire.reply_head(200, content_type, len(package)) + package)
    if mode == "nolength":
        return http_wire.send_all(sock, http_wire.reply_head(status, content_type) + body)
    if mode == "endless":
        if http_wire.send_all(sock, http_wire.reply_head(status, content_type) + body):
            send_filler(sock, stop_event)
        return False
    if mode == "smalllength":
        head = http_wire.reply_head(status, content_type, len(half))
        return http_wire.send_all(sock, head + body) and send_filler(sock, stop_event, SMALL_LENGTH_FILLER)
    if mode == "negativelength":
        return http_wire.send_all(sock, http_wire.reply_head(status, content_type, -1) + body)
    if mode == "twolengths":
        second = f"Content-Length: {len(body) + 1}\r\n\r\n".encode("ascii")
        head = http_wire.reply_head(status, content_type, len(body))[:-2] + second
        return http_wire.send_all(sock, head + body)
    if mode in ("atbound", "pastbound"):
        length = DOWNLOAD_BOUND + (1 if mode == "pastbound" else 0)
        return http_wire.send_all(sock, http_wire.reply_head(status, content_type, length) + body)
    if mode == "noreply":
        return True
    if mode == "zerolength":
        return http_wire.send_all(sock, http_wire.reply_head(status, content_type, 0))
    return http_wire.send_all(sock, http_wire.reply_head(status, content_type, len(body)) + body)
