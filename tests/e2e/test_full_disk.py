"""The real program at Wednesday 11.2.2026 10:00 on a disk that takes no more bytes: the failed
write of its settings is reported once, the window still shows its channel, day and week and
moves between days, and after closing the alarm file still holds its three alarms; an expired
alarm that can't leave the file is not said to be removed."""
import datetime
import os
import resource
import signal
import sys
import unittest

from harness import SHIPPED, DisplayTestCase, MovableClock, Program, SOURCE, cp1252, wait_for

sys.path.insert(0, os.path.join(SOURCE, "tools"))
import listing_file  # noqa: E402

START = "2026-02-11 10:00:00"
ALARMS = ("11.2.2026 (KE)\r\nTV1\r\n21:00\r\nElokuva\r\n\r\nSotaelokuva.\r\n#NRM \r\n\r\n"
          "12.2.2026 (TO)\r\nCanal+\r\n20:00\r\nUutiset\r\n\r\n\r\n#NRM #PCS3 \r\n\r\n"
          "16.2.2026 (MA)\r\nTV1\r\n06:00\r\nAamu-tv\r\n\r\nS\u00e4\u00e4t\u00e4.\r\n#NRM \r\n\r\n")
EXPIRED = "10.2.2026 (TI)\r\nTV1\r\n21:00\r\nEilinen\r\n\r\n\r\n#NRM \r\n\r\n"
SETTINGS = "[Kanavat]\r\nK\u00e4yt\u00f6ss\u00e4=TV1;Canal+;\r\n[Muut]\r\nOletusN\u00e4kym\u00e4=Normaali\r\n"


def write_fixture(folder, alarms):
    data = os.path.join(folder, "Tiedot")
    os.makedirs(data)
    for code, seed in (("01", 0), ("10", 1)):
        with open(os.path.join(data, f"{code}-07.QEX"), "wb") as out:
            out.write(listing_file.week_file(code, datetime.date(2026, 2, 9), seed))
    with open(os.path.join(folder, "QEX.INI"), "wb") as out:
        out.write(cp1252(SETTINGS))
    with open(os.path.join(folder, "QEX.ALS"), "wb") as out:
        out.write(cp1252(alarms))


def full_disk():
    """In the program's process: every write to a file fails, as on a full file system (the
    signal that a file size limit sends is ignored, so the write returns its error)."""
    signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
    resource.setrlimit(resource.RLIMIT_FSIZE, (0, 0))


class FullDiskEndToEnd(DisplayTestCase):
    def launch(self, alarms):
        self.folder = os.path.join(self.own_folder("fulldisk"), "program")
        os.makedirs(self.folder)
        write_fixture(self.folder, alarms)
        # The faketime command writes a semaphore, which the full disk refuses; the clock's library
        # only reads its offset file, kept outside the run folder.
        clock_folder = os.path.join(self.own_folder("fulldisk"), "clock")
        os.makedirs(clock_folder)
        self.program = Program(self.display, self.folder, preexec_fn=full_disk,
                               clock=MovableClock(clock_folder, START))
        self.addCleanup(self.program.kill)

    def test_start_browse_and_close_keep_the_alarms(self):
        self.launch(ALARMS)
        program = self.program
        # The day bar's setting can't be written: one box, then the window.
        box = program.wait_window("^QEX 2000$")
        program.key(box, "Return")
        window = program.wait_window("^QEX 2000 - TV1")
        program.wait_title(window, "QEX 2000 - TV1, Keskiviikko 11. Helmikuuta 2026")
        self.assertEqual([t for t in program.titles() if t == "QEX 2000"], [], "one box only")

        self.shot("qex-full-disk.png")

        program.key(window, "KP_Multiply")
        program.wait_title(window, "QEX 2000 - TV1, Torstai 12. Helmikuuta 2026")
        program.key(window, "KP_Add")
        program.wait_title(window, "QEX 2000 - Canal+, Torstai 12. Helmikuuta 2026")

        program.key(window, "alt+F4")
        # Neither the alarm file nor the window's layout can be written on the way out.
        for _ in range(2):
            program.key(program.wait_window("^QEX 2000$"), "Return")
        self.assertEqual(program.wait_exit(), 1)
        with open(os.path.join(self.folder, "QEX.ALS"), "rb") as alarms:
            self.assertEqual(alarms.read(), cp1252(ALARMS))
        with open(os.path.join(self.folder, "QEX.INI"), "rb") as settings:
            self.assertEqual(settings.read(), cp1252(SETTINGS))
        # No temporary is left; the lock file that holds the folder stays.
        self.assertEqual(sorted(os.listdir(self.folder)), sorted([".QEX.LCK", "QEX.ALS", "QEX.INI", "Tiedot", *SHIPPED]))

    def test_an_expired_alarm_left_in_the_file_is_not_said_to_be_removed(self):
        self.launch(EXPIRED + ALARMS)
        program = self.program
        # The day bar's setting, then the alarm file without the expired alarm: both refused.
        for _ in range(2):
            program.key(program.wait_window("^QEX 2000$"), "Return")
        first = wait_for(lambda: [t for t in program.titles() if t == "Info" or t.startswith("QEX 2000 - TV1")],
                         20, "the main window")
        self.assertNotIn("Info", first, "a notice says the expired alarm was removed")
        with open(os.path.join(self.folder, "QEX.ALS"), "rb") as alarms:
            self.assertEqual(alarms.read(), cp1252(EXPIRED + ALARMS))


if __name__ == "__main__":
    unittest.main()
