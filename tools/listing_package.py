"""The listing package: a gzip'd ustar archive of listing files.

Headers are written by hand rather than with the tarfile module, so that the hostile package can
carry what tarfile refuses or rewrites (".." and absolute names, a size field beyond 32 bits).
"""
import gzip
import time

BLOCK = 512


def octal_field(value, width):
    """A NUL-terminated octal number filling `width` bytes."""
    return f"{value:0{width - 1}o}".encode("ascii") + b"\0"


def text_field(text, width):
    data = text.encode("utf-8")
    if len(data) > width:
        raise ValueError(f"tar field too long: {text!r}")
    return data.ljust(width, b"\0")


def tar_header(name, size, mtime, type_flag=b"0", link_name="", size_field=None):
    """One ustar header block; `size_field` replaces the encoded size when given (12 bytes)."""
    header = bytearray()
    header += text_field(name, 100)
    header += octal_field(0o644, 8) + octal_field(0, 8) + octal_field(0, 8)
    header += size_field if size_field is not None else octal_field(size, 12)
    header += octal_field(int(mtime), 12)
    header += b" " * 8  # the checksum counts its own field as blanks
    header += type_flag
    header += text_field(link_name, 100)
    header += b"ustar\x0000" + text_field("qex", 32) + text_field("qex", 32)
    header += octal_field(0, 8) + octal_field(0, 8) + text_field("", 155)
    header = header.ljust(BLOCK, b"\0")
    checksum = sum(header)
    header[148:156] = f"{checksum:06o}".encode("ascii") + b"\0 "
    return bytes(header)


def padded(data):
    return data + b"\0" * ((BLOCK - len(data) % BLOCK) % BLOCK)


def tar_archive(members, mtime=None):
    """members: (name, bytes) pairs as regular files; the archive ends with two zero blocks."""
    mtime = time.time() if mtime is None else mtime
    out = bytearray()
    for name, data in members:
        out += tar_header(name, len(data), mtime) + padded(data)
    return bytes(out + b"\0" * (2 * BLOCK))


def gzip_bytes(data):
    return gzip.compress(data, mtime=0)


def listing_package(members, mtime=None):
    return gzip_bytes(tar_archive(members, mtime))


HUGE_SIZE_FIELD = b"77777777777\0"  # 8 GiB - 1: more than a 32-bit size can hold


def hostile_archive(mtime=0):
    """Members that must never reach outside the unpack folder, and a truncated giant at the end.

    "link" is a symbolic link to /tmp followed by a file "link/evil", which would land in /tmp if
    the link were made; "huge" claims 8 GiB but the archive ends after a few bytes of it.
    """
    out = bytearray()
    for name, data in (("../evil", b"escaped by ..\r\n"), ("/tmp/abs", b"absolute path\r\n")):
        out += tar_header(name, len(data), mtime) + padded(data)
    out += tar_header("link", 0, mtime, type_flag=b"2", link_name="/tmp")
    data = b"through a link\r\n"
    out += tar_header("link/evil", len(data), mtime) + padded(data)
    out += tar_header("huge", 0, mtime, size_field=HUGE_SIZE_FIELD) + b"not nearly 8 GiB"
    return bytes(out)


def hostile_package():
    return gzip_bytes(hostile_archive())


_BOMB = []


def bomb_package():
    """About 65 KB of gzip that unpacks to 65 MiB of zeros: one MiB past the program's bound.
    Made once per server, as it takes a moment."""
    if not _BOMB:
        _BOMB.append(gzip.compress(bytes(65 * 1024 * 1024), compresslevel=9, mtime=0))
    return _BOMB[0]
