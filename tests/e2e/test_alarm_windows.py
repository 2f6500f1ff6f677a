"""The real program's alarm clock under a virtual display: at Monday 7.12.2026 19:54:57 with the
default lead of five minutes, the 20:00 alarm opens the normal notice at 19:55:00 and the 20:01
alarm the full-screen notice a minute later; both leave the alarm list and are looked at on a
screenshot."""
import os
import time
import unittest

from harness import DisplayTestCase, Program, cp1252

START = "2026-12-07 19:54:57"
NORMAL = ("7.12.2026 (MA)\r\nTV1\r\n20:00\r\nUutiset\r\n\r\nP\u00e4iv\u00e4n t\u00e4rkeimm\u00e4t uutiset.\r\n"
          "#NRM #SHD:Normaali ilmoitus n\u00e4yt\u00f6lle \r\n\r\n")
FULL_SCREEN = ("7.12.2026 (MA)\r\nMTV3\r\n20:01\r\nElokuva: Tuntematon sotilas\r\n\r\nSotaelokuva.\r\n"
               "#NRM #SHD:Koko ruudun ilmoitus n\u00e4yt\u00f6lle \r\n\r\n")


def write_fixture(folder):
    os.makedirs(os.path.join(folder, "Tiedot"))
    with open(os.path.join(folder, "QEX.INI"), "wb") as out:
        out.write(cp1252("[Kanavat]\r\nK\u00e4yt\u00f6ss\u00e4=TV1;MTV3;\r\n"))
    with open(os.path.join(folder, "QEX.ALS"), "wb") as out:
        out.write(cp1252(NORMAL + FULL_SCREEN))


class AlarmWindowsEndToEnd(DisplayTestCase):
    def setUp(self):
        self.folder = self.own_folder("alarms")
        write_fixture(self.folder)
        self.program = Program(self.display, self.folder, fake_time=START)
        self.addCleanup(self.program.kill)

    def screenshot(self, name):
        self.assertGreater(os.path.getsize(self.shot(name)), 5000)

    def window_geometry(self, window):
        out = self.program.xdotool("getwindowgeometry", "--shell", window)
        values = dict(line.split("=", 1) for line in out.splitlines() if "=" in line)
        return int(values["WIDTH"]), int(values["HEIGHT"])

    def test_both_notices_open_on_time(self):
        self.program.wait_window("^QEX 2000")
        notice = self.program.wait_window("^TV1: 20:00 Uutiset", timeout=30)
        # The caption's two trailing blanks are pinned in-process; the window system trims them.
        self.assertEqual(self.program.title(notice).rstrip(), "TV1: 20:00 Uutiset")
        self.screenshot("qex-alarm-notice.png")
        self.program.key(notice, "Escape")

        # The full-screen notice has no caption to search for: it is the window as large as the
        # screen that appears at 19:56:00.
        deadline = time.monotonic() + 75
        full = None
        while time.monotonic() < deadline and full is None:
            ids = self.program.xdotool("search", "--onlyvisible", "--class", "qex", check=False).splitlines()
            for window in ids:
                try:
                    width, height = self.window_geometry(window)
                except (KeyError, ValueError, RuntimeError):
                    continue
                if width >= 1280 and height >= 1024:
                    full = window
                    break
            time.sleep(0.5)
        self.assertIsNotNone(full, "the full-screen notice did not appear")
        self.screenshot("qex-alarm-full-screen.png")
        self.program.key(full, "Escape")
        main = self.program.wait_window("^QEX 2000")
        self.program.key(main, "alt+F4")
        self.assertEqual(self.program.wait_exit(), 1)
        with open(os.path.join(self.folder, "QEX.ALS"), "rb") as alarms:
            self.assertEqual(alarms.read(), b"", "fired alarms leave the list")


if __name__ == "__main__":
    unittest.main()
