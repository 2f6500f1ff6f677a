"""The download road with the real program under a virtual display at Wednesday 11.2.2026 10:00,
against the sample data server on loopback reached through the program's proxy setting: F7 from
the version check to listings on screen, the second F7 of the month, the version file's offers,
every fault of the server, and ./run.sh's program start on a machine without a display."""
import contextlib
import os
import shutil
import signal
import socket
import stat
import subprocess
import sys
import time
import unittest
import urllib.request
from unittest import mock

from harness import BINARY, DisplayTestCase, FolderTestCase, Program, SOURCE, cp1252, wait_for

START = "2026-02-11 10:00:00"
LOG_SEPARATOR = b"\r\n===== end of request =====\r\n"
FULL_ROAD = ["GET http://qex.example/qex/data/versio2.txt HTTP/1.0",
             "GET http://qex.example/qex/data/versio.txt HTTP/1.0",
             "POST http://qex.example/qex/data/qex.cgi HTTP/1.0"]
FETCHED = ["01-07.QEX", "01-08.QEX", "10-07.QEX"]
NO_LISTING_TITLE = "QEX 2000 - TV1, Tietoja ei ole haettu (Keskiviikko 11. Helmikuuta 2026)"
LISTING_TITLE = "QEX 2000 - TV1, Keskiviikko 11. Helmikuuta 2026"


def read_bytes(path):
    """The file's bytes, or nothing while it does not exist."""
    try:
        with open(path, "rb") as data:
            return data.read()
    except FileNotFoundError:
        return b""


def program_processes(binary):
    """(process id, environment) of every running process of this executable file."""
    found = []
    binary = os.path.realpath(binary)
    for pid in filter(str.isdigit, os.listdir("/proc")):
        with contextlib.suppress(OSError):
            if os.path.realpath(f"/proc/{pid}/exe") != binary:
                continue
            with open(f"/proc/{pid}/environ", "rb") as environ:
                pairs = [item.split(b"=", 1) for item in environ.read().split(b"\0") if b"=" in item]
            found.append((int(pid), {key.decode(): value.decode() for key, value in pairs}))
    return found


class DataServer:
    """tools/data_server.py on a free loopback port, with its request log."""

    def __init__(self, folder, *options):
        self.log = os.path.join(folder, "requests.log")
        port_file = os.path.join(folder, "port")
        self.process = subprocess.Popen(
            [sys.executable, os.path.join(SOURCE, "tools", "data_server.py"), "--port", "0",
             "--port-file", port_file, "--log", self.log, "--today", "2026-02-11", *options],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.port = int(wait_for(lambda: read_bytes(port_file).strip(), 15, "the data server's port"))

    def requests(self):
        """(request line, whole request bytes) of every request so far."""
        raw = read_bytes(self.log).split(LOG_SEPARATOR)[:-1]
        return [(request.split(b"\r\n", 1)[0].decode("latin-1"), request) for request in raw]

    def lines(self):
        return [line for line, _ in self.requests()]

    def control(self, path):
        with urllib.request.urlopen(f"http://127.0.0.1:{self.port}{path}", timeout=10) as reply:
            assert reply.status == 200

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=10)


class DownloadEndToEnd(DisplayTestCase):
    def visible_windows(self, title):
        return subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title], env=self.display.env(),
                              capture_output=True, timeout=20).stdout.decode().split()

    def start(self, *server_options):
        # The window of the program before this one must be gone, or it would be taken for this one's.
        wait_for(lambda: not self.visible_windows("^QEX 2000"), 20, "the last program's windows to close")
        self.folder = self.own_folder("download")
        self.server = DataServer(self.folder, *server_options)
        self.addCleanup(self.server.stop)
        program_folder = os.path.join(self.folder, "program")
        os.makedirs(program_folder)
        self.data = os.path.join(program_folder, "Tiedot")
        self.ini = os.path.join(program_folder, "QEX.INI")
        with open(self.ini, "wb") as out:
            out.write(cp1252("[Kanavat]\r\nK\u00e4yt\u00f6ss\u00e4=TV1;Canal+;\r\n[Muut]\r\n"
                             "OletusN\u00e4kym\u00e4=Normaali\r\nProxyIP=127.0.0.1\r\n"
                             f"ProxyPortti={self.server.port}\r\n"))
        # The desktop's opener is a recorder: addresses the program opens land in a file.
        opener_folder = os.path.join(self.folder, "opener")
        os.makedirs(opener_folder)
        self.opened = os.path.join(self.folder, "opened.txt")
        opener = os.path.join(opener_folder, "xdg-open")
        with open(opener, "w") as out:
            out.write(f'#!/bin/sh\nprintf "%s\\n" "$1" >> "{self.opened}"\n')
        os.chmod(opener, stat.S_IRWXU)
        with mock.patch.dict(os.environ, {"PATH": opener_folder + os.pathsep + os.environ["PATH"]}):
            self.program = Program(self.display, program_folder, fake_time=START)
        self.addCleanup(self.program.kill)
        self.window = self.program.wait_window("^QEX 2000 - TV1")
        self.wait_title(NO_LISTING_TITLE)

    def wait_title(self, expected, timeout=20):
        self.program.wait_title(self.window, expected, timeout)

    def press_f7(self):
        self.program.key(self.window, "F7")

    def wait_requests(self, count, timeout=20):
        wait_for(lambda: len(self.server.lines()) >= count, timeout, f"{count} requests")
        return self.server.lines()

    def answer_box(self, title, key, timeout=20):
        box = self.program.wait_window(title, timeout=timeout)
        self.program.key(box, key)
        wait_for(lambda: not self.visible_windows(title), 10, f"the box {title!r} to close")

    def data_files(self):
        return sorted(os.listdir(self.data))

    def opened_addresses(self):
        if not os.path.exists(self.opened):
            return []
        with open(self.opened) as opened:
            return opened.read().splitlines()

    def setting(self, key):
        with open(self.ini, "rb") as ini:
            for line in ini.read().split(b"\r\n"):
                if line.startswith(key.encode() + b"="):
                    return line.split(b"=", 1)[1].decode("cp1252")
        return None

    def test_f7_fetches_and_shows_the_listings_then_skips_in_the_same_month(self):
        self.start()
        self.press_f7()
        self.wait_title(LISTING_TITLE)
        requests = self.server.requests()
        self.assertEqual([line for line, _ in requests], FULL_ROAD)
        post = requests[2][1]
        self.assertTrue(post.endswith(b"\r\n\r\nfiles=01-07,01-08,10-07"), post)
        self.assertIn(b"\r\nContent-Length: 23\r\n", post)
        self.assertIn(b"\r\nUser-Agent: QEX 2000 (Kelvaro - ???)\r\n", post)
        self.assertIn(b"\r\nHost: qex.example\r\n", post)
        self.assertEqual(self.setting("GUpdate"), "2")
        self.assertEqual(self.data_files(), FETCHED + ["versio2.tmp"])

        shot = self.shot("qex-download.png")
        self.assertGreater(os.path.getsize(shot), 10000)

        # Everything is stored now: the version file is read, nothing more is asked for.
        self.press_f7()
        lines = self.wait_requests(4)
        time.sleep(1.5)
        self.assertEqual(self.server.lines(), FULL_ROAD + [FULL_ROAD[1]])
        self.assertEqual(lines[3], FULL_ROAD[1])
        self.assertEqual(self.data_files(), FETCHED + ["versio2.tmp"])

    def test_replies_reset_right_after_their_last_byte_still_fetch(self):
        self.start("--fault", "wholereset", "--fault-on", "all")
        self.press_f7()
        self.wait_title(LISTING_TITLE)
        self.assertEqual(self.server.lines(), FULL_ROAD)
        self.assertEqual(self.data_files(), FETCHED + ["versio2.tmp"])
        self.assertEqual(self.visible_windows("^QEX 2000$"), [], "an error box came up")

    def test_version_file_offers(self):
        self.start("--build", "477")
        # The new version is offered; No (Escape) goes on with the download.
        self.press_f7()
        self.answer_box("^Hyv\u00e4ksy$", "Escape")
        self.wait_title(LISTING_TITLE)
        self.assertEqual(self.opened_addresses(), [])

        # An announcement newer than the last one read; Yes (Enter) opens it and notes it read.
        self.server.control("/control/version?build=475&news=101")
        self.press_f7()
        self.answer_box("^Hyv\u00e4ksy$", "Return")
        wait_for(lambda: self.setting("News") == "101", 10, "News=101")
        wait_for(self.opened_addresses, 10, "the announcement to open")
        self.assertEqual(self.opened_addresses(), ["http://www.example.com/qex/ilmoitus.html"])

        # The next F7 offers nothing.
        count = len(self.server.lines())
        self.press_f7()
        self.wait_requests(count + 1)
        time.sleep(1.5)
        self.assertEqual(self.visible_windows("^Hyv"), [])
        self.assertEqual(len(self.opened_addresses()), 1)

    def test_every_server_fault_ends_with_a_message_and_changes_nothing(self):
        self.start("--stall-seconds", "600")
        for mode in ("404", "500", "reset", "short", "garbage", "hostile", "stall"):
            with self.subTest(mode=mode):
                self.server.control(f"/control/fault?mode={mode}&count=1")
                count = len(self.server.lines())
                self.press_f7()
                # A stalled reply ends after the program's 60 seconds without a byte.
                self.answer_box("^QEX 2000$", "Return", timeout=90 if mode == "stall" else 20)
                self.assertEqual(self.server.lines()[count:][-1], FULL_ROAD[2])
                self.assertEqual(self.data_files(), ["versio2.tmp"])
                self.assertEqual(self.program.title(self.window), NO_LISTING_TITLE)
        # The next F7 runs normally and fetches everything.
        self.press_f7()
        self.wait_title(LISTING_TITLE)
        self.assertEqual(self.data_files(), FETCHED + ["versio2.tmp"])

    def test_reply_without_end_ends_with_a_box_and_leaves_nothing(self):
        # Without a length and without end: the program stops at its 64 MiB bound, well before a
        # disk could fill, says so in its error box, and removes what it wrote.
        self.start("--fault", "endless", "--fault-count", "1")
        self.press_f7()
        box = self.program.wait_window("^QEX 2000$", timeout=60)
        self.assertEqual(self.data_files(), ["versio2.tmp"])
        self.shot("qex-endless-reply.png")
        self.program.key(box, "Return")
        wait_for(lambda: not self.visible_windows("^QEX 2000$"), 10, "the error box to close")
        self.assertEqual(self.data_files(), ["versio2.tmp"])
        self.assertEqual(self.program.title(self.window), NO_LISTING_TITLE)
        # The next F7 runs and fetches everything.
        self.press_f7()
        self.wait_title(LISTING_TITLE)
        self.assertEqual(self.data_files(), FETCHED + ["versio2.tmp"])

    def test_a_package_past_the_unpack_bound_leaves_nothing_even_when_the_program_ends_at_its_box(self):
        # A small package that unpacks past 64 MiB: its error box is up, and the program is ended
        # there (SIGTERM, as at a logout).
        self.start("--fault", "bomb", "--fault-count", "1")
        self.press_f7()
        self.program.wait_window("^Virhe$", timeout=60)
        self.assertEqual(self.data_files(), ["versio2.tmp"])
        self.shot("qex-package-past-the-bound.png")
        os.killpg(self.program.process.pid, signal.SIGTERM)
        self.program.wait_exit()
        self.assertEqual(self.data_files(), ["versio2.tmp"])
        self.program.kill()

        # What an earlier version left at such an end goes at the next start: the package, and
        # the decompressor's temporary file; a file of the user's that only looks alike stays.
        for name, size in (("tiedot.tvz", 65000), (".qex-k3m9x0p2q7.tmp", 64 * 1024 * 1024),
                           (".qex-notours.tmp", 10)):
            with open(os.path.join(self.data, name), "wb") as out:
                out.truncate(size)
        self.program = Program(self.display, os.path.dirname(self.data), fake_time=START)
        self.addCleanup(self.program.kill)
        self.window = self.program.wait_window("^QEX 2000 - TV1")
        self.wait_title(NO_LISTING_TITLE)
        self.assertEqual(self.data_files(), [".qex-notours.tmp", "versio2.tmp"])
        # The next F7 runs and fetches everything.
        self.press_f7()
        self.wait_title(LISTING_TITLE)
        self.assertEqual(self.data_files(), [".qex-notours.tmp"] + FETCHED + ["versio2.tmp"])


class RunScriptEndToEnd(FolderTestCase):
    """tools/start-program.sh, which ./run.sh ends in, on a machine without a display: the first
    QEX.INI, the data server, xvfb-run, and F7 reaching the server. What the script does with
    other settings and a second start is tested around a stand-in (tests/tools)."""

    def test_program_starts_with_the_data_server_and_fetches(self):
        build = os.path.join(self.own_folder("run"), "build")
        os.makedirs(os.path.join(build, "bin"))
        program = os.path.join(build, "bin", "qex")
        shutil.copy2(BINARY, program)
        self.addCleanup(os.remove, program)
        ini = os.path.join(build, "bin", "QEX.INI")
        env = dict(os.environ)
        for name in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XAUTHORITY"):
            env.pop(name, None)
        # Without one the program's toolkit would make a runtime folder of its own in /tmp.
        env["XDG_RUNTIME_DIR"] = os.path.join(self.own_folder("run"), "runtime")
        os.mkdir(env["XDG_RUNTIME_DIR"], 0o700)
        started = time.monotonic()
        script = subprocess.Popen([os.path.join(SOURCE, "tools", "start-program.sh"), build], env=env,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
        self.addCleanup(self.stop_script, script)
        pid, program_env = wait_for(lambda: self.find_program(build), 30, "the program to start")
        x_env = dict(os.environ, DISPLAY=program_env["DISPLAY"], XAUTHORITY=program_env.get("XAUTHORITY", ""))

        def xdotool(*args):
            return subprocess.run(["xdotool", *args], env=x_env, capture_output=True, timeout=20).stdout.decode().strip()

        window = wait_for(lambda: xdotool("search", "--onlyvisible", "--name", "^QEX 2000"), 60, "the first window")
        seconds = time.monotonic() - started
        print(f"start-program.sh to the first window: {seconds:.2f} s", file=sys.stderr)
        with open(ini, "rb") as saved:
            text = saved.read()
        self.assertIn(b"ProxyIP=127.0.0.1\r\n", text)
        port = int(text.split(b"ProxyPortti=")[1].split(b"\r\n")[0])

        # Without a window manager the window is given the focus directly.
        xdotool("windowfocus", "--sync", window.splitlines()[0])
        time.sleep(0.3)
        xdotool("key", "F7")
        log = os.path.join(build, "bin", "data-server.log")
        wait_for(lambda: b"POST http://qex.example/qex/data/qex.cgi" in read_bytes(log), 60, "the listing request")
        data = os.path.join(build, "bin", "Tiedot")
        wait_for(lambda: any(name.endswith(".QEX") for name in os.listdir(data))
                 and "tiedot.tvz" not in os.listdir(data), 60, "listing files")

        # When the program ends, the script stops the data server and ends too.
        os.kill(pid, signal.SIGTERM)
        script.wait(timeout=30)
        with self.assertRaises(OSError):
            socket.create_connection(("127.0.0.1", port), timeout=2).close()

    @staticmethod
    def find_program(build):
        """(process id, environment) of the program started from `build`, once it has a display."""
        for pid, env in program_processes(os.path.join(build, "bin", "qex")):
            if "DISPLAY" in env:
                return pid, env
        return None

    @staticmethod
    def stop_script(script):
        if script.poll() is None:
            with contextlib.suppress(ProcessLookupError):
                os.killpg(script.pid, signal.SIGTERM)
            script.wait(timeout=20)


if __name__ == "__main__":
    unittest.main()
