"""The sample data server over real loopback sockets, as the program and the tests meet it."""
import gzip
import io
import os
import re
import socket
import struct
import subprocess
import sys
import tarfile
import unittest

from server_process import SERVER, DataServerProcess, Reply, program_get, program_post

DEFAULT_VERSION = (b"476 http://www.example.com/qex/\r\n"
                   b"100 http://www.example.com/qex/ilmoitus.html\r\n")
SEPARATOR = b"\r\n===== end of request =====\r\n"
PROGRAMME_LINE = re.compile(rb"^([01]\d|2[0-3]):([0-5]\d) \S")


def day_records(data):
    """(key, text) of each record: little-endian int32 key and length, then the text."""
    records = []
    position = 0
    while position < len(data):
        key, length = struct.unpack_from("<ii", data, position)
        position += 8
        records.append((key, data[position:position + length]))
        position += length
    return records


def package_members(body):
    """{member name: bytes}, checking that every member is a plain file."""
    archive = tarfile.open(fileobj=io.BytesIO(gzip.decompress(body)), mode="r:")
    members = {}
    for member in archive:
        assert member.isreg(), f"{member.name} is not a regular file"
        members[member.name] = archive.extractfile(member).read()
    return members


class ServerTestCase(unittest.TestCase):
    arguments = ("--today", "2026-02-11")

    @classmethod
    def setUpClass(cls):
        cls.server = DataServerProcess(*cls.arguments)

    @classmethod
    def tearDownClass(cls):
        cls.server.stop()


class VersionFiles(ServerTestCase):
    def test_both_version_files_are_served_byte_for_byte_despite_if_modified_since(self):
        for path in ("/qex/data/versio2.txt", "/qex/data/versio.txt"):
            reply = self.server.get(path)
            self.assertEqual(reply.status_line, "HTTP/1.0 200 OK")
            self.assertEqual(reply.body, DEFAULT_VERSION)
            self.assertEqual(reply.content_length(), len(DEFAULT_VERSION))

    def test_absolute_uri_request_lines_reach_the_same_documents(self):
        reply = self.server.get("http://qex.example/qex/data/versio.txt")
        self.assertEqual(reply.body, DEFAULT_VERSION)
        reply = self.server.post("http://qex.example:8080/qex/data/qex.cgi", b"files=01-07")
        self.assertEqual(list(package_members(reply.body)), ["01-07.QEX"])

    def test_control_request_changes_the_version_file_and_an_empty_number_drops_line_two(self):
        try:
            self.assertEqual(self.server.control("version?build=477&news=101&news_url=http://n/x").status, 200)
            self.assertEqual(self.server.get("/qex/data/versio.txt").body,
                             b"477 http://www.example.com/qex/\r\n101 http://n/x\r\n")
            self.server.control("version?news=&program_url=file:///etc/passwd")
            self.assertEqual(self.server.get("/qex/data/versio.txt").body, b"477 file:///etc/passwd\r\n")
        finally:
            self.server.control("version?build=476&news=100&program_url=http://www.example.com/qex/"
                                "&news_url=http://www.example.com/qex/ilmoitus.html")


class VersionOptions(ServerTestCase):
    arguments = ("--build", "5", "--news", "101", "--program-url", "http://uusi.example/lataa",
                 "--news-url", "https://uusi.example/ilmoitus")

    def test_command_line_sets_numbers_as_three_digits_and_both_addresses(self):
        self.assertEqual(self.server.get("/qex/data/versio.txt").body,
                         b"005 http://uusi.example/lataa\r\n101 https://uusi.example/ilmoitus\r\n")


class ListingRequests(ServerTestCase):
    def check_listing_file(self, data, code, monday_digits):
        """Seven records Monday to Sunday with the channel's keys, in CR LF programme pairs."""
        records = day_records(data)
        self.assertEqual(len(records), 7)
        dates = [str(key)[:8] for key, _ in records]
        self.assertEqual(dates[0], monday_digits)
        self.assertTrue(all(str(key).endswith(code) and len(str(key)) == 10 for key, _ in records))
        after_midnight = 0
        for _, text in records:
            self.assertTrue(text.endswith(b"\r\n"))
            lines = text[:-2].split(b"\r\n")
            self.assertFalse(any(b"\r" in line or b"\n" in line for line in lines))
            self.assertEqual(len(lines) % 2, 0, "programme and description lines come in pairs")
            starts = []
            for line in lines[0::2]:
                match = PROGRAMME_LINE.match(line)
                self.assertIsNotNone(match, line)
                minutes = int(match.group(1)) * 60 + int(match.group(2))
                starts.append(minutes + (24 * 60 if minutes < 5 * 60 else 0))
                line.decode("cp1252")
            self.assertEqual(starts, sorted(set(starts)), "broadcast order, no two at one time")
            after_midnight += sum(start >= 24 * 60 for start in starts)
        self.assertGreater(after_midnight, 0, "some programmes run past midnight")
        return dates

    def test_three_files_come_back_as_exactly_those_members_in_the_listing_layout(self):
        reply = self.server.post("/qex/data/qex.cgi", b"files=01-07,01-08,10-07")
        self.assertEqual(reply.status, 200)
        self.assertEqual(reply.content_length(), len(reply.body))
        members = package_members(reply.body)
        self.assertEqual(list(members), ["01-07.QEX", "01-08.QEX", "10-07.QEX"])
        dates = self.check_listing_file(members["01-07.QEX"], "01", "20260209")
        self.assertEqual(dates, [f"202602{day:02d}" for day in range(9, 16)])
        self.check_listing_file(members["01-08.QEX"], "01", "20260216")
        self.check_listing_file(members["10-07.QEX"], "10", "20260209")
        self.assertNotEqual(members["01-07.QEX"], members["10-07.QEX"])

    def test_the_same_request_yields_the_same_listings(self):
        first = package_members(self.server.post("/qex/data/qex.cgi", b"files=03-07").body)
        second = package_members(self.server.post("/qex/data/qex.cgi", b"files=03-07").body)
        self.assertEqual(first, second)

    def test_every_channel_of_the_table_has_listings(self):
        codes = ["01", "02", "03", "04", "05", "10", "11", "12", "13", "14", "20", "21", "22", "23",
                 "24", "25", "26", "27", "28", "29", "30", "31", "50", "51", "52", "53"]
        body = ("files=" + ",".join(f"{code}-07" for code in codes)).encode()
        members = package_members(self.server.post("/qex/data/qex.cgi", body).body)
        self.assertEqual(list(members), [f"{code}-07.QEX" for code in codes])
        for code in codes:
            self.check_listing_file(members[f"{code}-07.QEX"], code, "20260209")

    def test_weeks_around_new_year_resolve_to_the_nearest_monday(self):
        try:
            # Saturday 2.1.2027: this week began on Monday 28.12.2026 (week 53 of 2026), next
            # week's Monday 4.1.2027 is in week 2 of 2027.
            self.server.control("today?date=2027-01-02")
            members = package_members(self.server.post("/qex/data/qex.cgi", b"files=01-53,01-02").body)
            self.assertEqual([key for key, _ in day_records(members["01-53.QEX"])][::6],
                             [2026122801, 2027010301])
            self.assertEqual(day_records(members["01-02.QEX"])[0][0], 2027010401)
            self.server.control("today?date=2026-12-30")
            members = package_members(self.server.post("/qex/data/qex.cgi", b"files=01-02").body)
            self.assertEqual(day_records(members["01-02.QEX"])[0][0], 2027010401)
        finally:
            self.server.control("today?date=2026-02-11")

    def test_unknown_codes_and_malformed_names_are_left_out(self):
        body = b"files=99-07,01-07,1-7,abc,01-00,01-55,,01-07,02-07 "
        members = package_members(self.server.post("/qex/data/qex.cgi", body).body)
        self.assertEqual(list(members), ["01-07.QEX", "02-07.QEX"])
        self.assertEqual(package_members(self.server.post("/qex/data/qex.cgi", b"files=").body), {})

    def test_a_body_without_files_and_wrong_methods_and_paths_are_refused(self):
        self.assertEqual(self.server.post("/qex/data/qex.cgi", b"channels=01-07").status, 400)
        self.assertEqual(self.server.get("/qex/data/qex.cgi").status, 405)
        self.assertEqual(self.server.post("/qex/data/versio.txt", b"files=01-07").status, 405)
        reply = self.server.get("/qex/data/missing.txt")
        self.assertEqual((reply.status, reply.content_length()), (404, len(reply.body)))
        self.assertEqual(self.server.exchange(b"GET relative HTTP/1.0\r\n\r\n").status, 400)


class RequestLog(ServerTestCase):
    def test_every_data_request_is_logged_byte_for_byte_and_control_requests_are_not(self):
        before = len(self.server.log_bytes())
        requests = [program_get("/qex/data/versio2.txt"),
                    program_get("http://qex.example/qex/data/versio.txt"),
                    program_post("/qex/data/qex.cgi", b"files=01-07,01-08,10-07")]
        self.server.exchange(requests[0])
        self.server.control("fault?mode=none")
        for request in requests[1:]:
            self.server.exchange(request)
        self.assertIn(b"Content-Length: 23\r\n", requests[2])
        logged = self.server.log_bytes()[before:]
        self.assertEqual(logged, b"".join(request + SEPARATOR for request in requests))
        self.assertEqual(logged.split(SEPARATOR)[:-1], requests)

    def test_a_request_that_stops_early_is_logged_as_received(self):
        before = len(self.server.log_bytes())
        partial = b"POST /qex/data/qex.cgi HTTP/1.0\r\nContent-Length: 40\r\n\r\nfiles=01"
        with self.server.connect() as sock:
            sock.sendall(partial)
            sock.shutdown(socket.SHUT_WR)
            self.assertEqual(sock.recv(100), b"")
        self.assertEqual(self.server.log_bytes()[before:], partial + SEPARATOR)


class Faults(ServerTestCase):
    arguments = ("--today", "2026-02-11", "--stall-seconds", "60")
    BODY = b"files=01-07,10-07"

    def tearDown(self):
        self.server.control("fault?mode=none")

    def fault(self, mode, scope="qex"):
        self.assertEqual(self.server.control(f"fault?mode={mode}&on={scope}&count=1").status, 200)

    def receive_until_error(self, sock, error):
        received = b""
        with self.assertRaises(error):
            while chunk := sock.recv(65536):
                received += chunk
        return Reply(received)

    def test_404_and_500_replace_only_the_listing_request_by_default_and_only_once(self):
        for mode, status_line in (("404", "HTTP/1.0 404 Not Found"),
                                  ("500", "HTTP/1.0 500 Internal Server Error")):
            self.fault(mode)
            self.assertEqual(self.server.get("/qex/data/versio.txt").status, 200)
            reply = self.server.post("/qex/data/qex.cgi", self.BODY)
            self.assertEqual(reply.status_line, status_line)
            self.assertEqual(reply.content_length(), len(reply.body))
            self.assertEqual(self.server.post("/qex/data/qex.cgi", self.BODY).status, 200)

    def test_a_fault_on_all_paths_lasts_until_switched_off(self):
        self.assertEqual(self.server.control("fault?mode=500&on=all").status, 200)
        for _ in range(2):
            self.assertEqual(self.server.get("/qex/data/versio2.txt").status, 500)
            self.assertEqual(self.server.post("/qex/data/qex.cgi", self.BODY).status, 500)
        self.server.control("fault?mode=none")
        self.assertEqual(self.server.get("/qex/data/versio2.txt").status, 200)

    def test_unknown_modes_and_scopes_are_refused(self):
        self.assertEqual(self.server.control("fault?mode=explode").status, 400)
        self.assertEqual(self.server.control("fault?mode=404&on=everything").status, 400)
        self.assertEqual(self.server.control("fault?mode=404&count=0").status, 400)
        self.assertEqual(self.server.control("nothing").status, 404)
        self.assertEqual(self.server.post("/qex/data/qex.cgi", self.BODY).status, 200)

    def test_reset_sends_part_of_the_body_then_resets_the_connection(self):
        self.fault("reset")
        with self.server.connect() as sock:
            sock.sendall(program_post("/qex/data/qex.cgi", self.BODY))
            reply = self.receive_until_error(sock, ConnectionResetError)
        if reply.raw:
            self.assertLess(len(reply.body), reply.content_length())

    def test_wholereset_sends_the_whole_reply_then_resets_the_connection(self):
        self.fault("wholereset")
        with self.server.connect() as sock:
            sock.sendall(program_post("/qex/data/qex.cgi", self.BODY))
            reply = self.receive_until_error(sock, ConnectionResetError)
        self.assertEqual(reply.status, 200)
        self.assertEqual(len(reply.body), reply.content_length())
        self.assertEqual(list(package_members(reply.body)), ["01-07.QEX", "10-07.QEX"])

    def test_short_reply_closes_before_content_length_bytes(self):
        self.fault("short")
        reply = self.server.post("/qex/data/qex.cgi", self.BODY)
        self.assertEqual(reply.status, 200)
        self.assertEqual(len(reply.body), reply.content_length() // 2)
        self.assertGreater(len(reply.body), 0)

    def test_stall_sends_half_the_body_then_nothing_while_the_connection_stays_open(self):
        self.fault("stall")
        with self.server.connect(seconds=1.5) as sock:
            sock.sendall(program_post("/qex/data/qex.cgi", self.BODY))
            reply = self.receive_until_error(sock, socket.timeout)
        self.assertEqual(reply.status, 200)
        self.assertEqual(len(reply.body), reply.content_length() // 2)

    def test_garbage_body_is_neither_gzip_nor_tar(self):
        self.fault("garbage")
        reply = self.server.post("/qex/data/qex.cgi", self.BODY)
        self.assertEqual((reply.status, reply.content_length()), (200, len(reply.body)))
        self.assertNotEqual(reply.body[:2], b"\x1f\x8b")
        with self.assertRaises(OSError):
            gzip.decompress(reply.body)
        with self.assertRaises(tarfile.TarError):
            tarfile.open(fileobj=io.BytesIO(reply.body), mode="r:")

    def test_hostile_archive_carries_escaping_names_a_link_and_a_giant_size(self):
        self.fault("hostile")
        reply = self.server.post("/qex/data/qex.cgi", self.BODY)
        self.assertEqual((reply.status, reply.content_length()), (200, len(reply.body)))
        archive = gzip.decompress(reply.body)
        headers = []
        position = 0
        while position + 512 <= len(archive):
            block = archive[position:position + 512]
            stored = int(block[148:154], 8)
            self.assertEqual(stored, sum(block[:148]) + 8 * 32 + sum(block[156:]), "checksum")
            name = block[:100].rstrip(b"\0").decode()
            size = int(block[124:135], 8)
            headers.append((name, block[156:157], block[157:257].rstrip(b"\0"), size))
            position += 512 + (size + 511) // 512 * 512
        self.assertEqual([h[0] for h in headers], ["../evil", "/tmp/abs", "link", "link/evil", "huge"])
        self.assertEqual(headers[2][1:3], (b"2", b"/tmp"))
        self.assertGreater(headers[4][3], 2 ** 31)
        self.assertGreater(position, len(archive), "the giant member is cut short")

    def test_reply_without_length_still_carries_the_package(self):
        self.fault("nolength")
        reply = self.server.post("/qex/data/qex.cgi", self.BODY)
        self.assertEqual(reply.status, 200)
        self.assertNotIn("content-length", reply.headers)
        self.assertEqual(list(package_members(reply.body)), ["01-07.QEX", "10-07.QEX"])

    def test_zero_length_reply_has_no_body(self):
        self.fault("zerolength")
        reply = self.server.post("/qex/data/qex.cgi", self.BODY)
        self.assertEqual((reply.status, reply.headers["content-length"], reply.body), (200, "0", b""))

    def test_version_file_fault_leaves_the_listing_request_alone(self):
        self.fault("garbage", "versio")
        self.assertNotEqual(self.server.get("/qex/data/versio.txt").body, DEFAULT_VERSION)
        self.assertEqual(self.server.get("/qex/data/versio2.txt").body, DEFAULT_VERSION)
        self.assertEqual(self.server.post("/qex/data/qex.cgi", self.BODY).status, 200)


class FaultFromCommandLine(ServerTestCase):
    arguments = ("--fault", "404", "--fault-on", "versio2", "--fault-count", "1")

    def test_command_line_fault_applies_to_its_scope_for_its_count(self):
        self.assertEqual(self.server.get("/qex/data/versio.txt").status, 200)
        self.assertEqual(self.server.get("/qex/data/versio2.txt").status, 404)
        self.assertEqual(self.server.get("/qex/data/versio2.txt").status, 200)


class Startup(unittest.TestCase):
    def test_port_and_pid_files_name_a_server_listening_on_loopback_only(self):
        server = DataServerProcess()
        try:
            port_file = os.path.join(server.folder, "port")
            pid_file = os.path.join(server.folder, "pid")
            second = DataServerProcess("--port-file", port_file, "--pid-file", pid_file)
            try:
                with open(port_file) as port, open(pid_file) as pid:
                    self.assertEqual(int(port.read()), second.port)
                    self.assertEqual(int(pid.read()), second.process.pid)
                self.assertEqual(listening_addresses(second.port), ["0100007F"])
            finally:
                second.stop()
        finally:
            server.stop()

    def test_an_unknown_fault_mode_stops_the_server_with_a_message(self):
        result = subprocess.run([sys.executable, SERVER, "--fault", "explode"], capture_output=True,
                                timeout=10)
        self.assertEqual(result.returncode, 2)
        self.assertIn(b"unknown fault mode", result.stderr)
        self.assertEqual(result.stdout, b"")


def listening_addresses(port):
    """Local IPv4 addresses (hex, as the kernel lists them) with a listening socket on `port`."""
    found = []
    with open("/proc/net/tcp") as table:
        for line in table.readlines()[1:]:
            fields = line.split()
            address, port_hex = fields[1].split(":")
            if int(port_hex, 16) == port and fields[3] == "0A":
                found.append(address)
    return found


if __name__ == "__main__":
    unittest.main()
