"""The real program under a virtual display at Wednesday 11.2.2026 10:00: it starts with the
expired alarm removed and reported, shows the channel view of TV1, follows the day and channel
keys, returns to today with F6 and writes its files when Alt+F4 closes it."""
import datetime
import os
import re
import sys
import unittest

from harness import DisplayTestCase, Program, SOURCE, cp1252

sys.path.insert(0, os.path.join(SOURCE, "tools"))
import listing_file  # noqa: E402

START = "2026-02-11 10:00:00"
EXPIRED = "10.2.2026 (TI)\r\nTV2\r\n21:00\r\nElokuva\r\n\r\nKuvaus\r\n#NRM \r\n\r\n"
FUTURE = ("12.2.2026 (TO)\r\nTV1\r\n20:00\r\nUutiset\r\n\r\nP\u00e4iv\u00e4n uutiset.\r\n"
          "#NRM #SHD:Normaali ilmoitus n\u00e4yt\u00f6lle \r\n\r\n")


def write_fixture(folder):
    data = os.path.join(folder, "Tiedot")
    os.makedirs(data)
    for code, week, monday, seed in (("01", "07", "2026-02-09", 0), ("10", "07", "2026-02-09", 1),
                                     ("01", "08", "2026-02-16", 2), ("01", "05", "2026-01-26", 3)):
        with open(os.path.join(data, f"{code}-{week}.QEX"), "wb") as out:
            out.write(listing_file.week_file(code, datetime.date.fromisoformat(monday), seed))
    settings = "[Kanavat]\r\nK\u00e4yt\u00f6ss\u00e4=TV1;Canal+;\r\n[Muut]\r\nOletusN\u00e4kym\u00e4=Normaali\r\n"
    with open(os.path.join(folder, "QEX.INI"), "wb") as out:
        out.write(cp1252(settings))
    with open(os.path.join(folder, "QEX.ALS"), "wb") as out:
        out.write(cp1252(EXPIRED + FUTURE))


class MainWindowEndToEnd(DisplayTestCase):
    def setUp(self):
        self.folder = self.own_folder("main")
        write_fixture(self.folder)
        self.program = Program(self.display, self.folder, fake_time=START)
        self.addCleanup(self.program.kill)

    def test_start_browse_and_close(self):
        program = self.program
        # The expired alarm is reported in a box of its own before the window opens.
        notice = program.wait_window("^Info$")
        program.key(notice, "Return")
        window = program.wait_window("^QEX 2000 - TV1")
        self.program.wait_title(window, "QEX 2000 - TV1, Keskiviikko 11. Helmikuuta 2026")
        with open(os.path.join(self.folder, "QEX.ALS"), "rb") as alarms:
            self.assertEqual(alarms.read(), cp1252(FUTURE))
        # The old file of week 5 went at start-up; this week's and next week's stay.
        self.assertEqual(sorted(os.listdir(os.path.join(self.folder, "Tiedot"))),
                         ["01-07.QEX", "01-08.QEX", "10-07.QEX"])

        shot = self.shot("qex-main-window.png")
        self.assertGreater(os.path.getsize(shot), 10000)

        program.key(window, "KP_Multiply")
        self.program.wait_title(window, "QEX 2000 - TV1, Torstai 12. Helmikuuta 2026")
        program.key(window, "KP_Add")
        self.program.wait_title(window, "QEX 2000 - Canal+, Torstai 12. Helmikuuta 2026")
        program.key(window, "KP_Divide", "KP_Divide", "KP_Divide")
        self.program.wait_title(window, "QEX 2000 - Canal+, Maanantai 9. Helmikuuta 2026")
        program.key(window, "F6")
        self.program.wait_title(window, "QEX 2000 - Canal+, Keskiviikko 11. Helmikuuta 2026")
        program.key(window, "KP_Subtract")
        self.program.wait_title(window, "QEX 2000 - TV1, Keskiviikko 11. Helmikuuta 2026")

        program.key(window, "alt+F4")
        self.assertEqual(program.wait_exit(), 1)
        with open(os.path.join(self.folder, "QEX.ALS"), "rb") as alarms:
            self.assertEqual(alarms.read(), cp1252(FUTURE))
        with open(os.path.join(self.folder, "QEX.INI"), "rb") as settings:
            text = settings.read().decode("cp1252")
        self.assertIn("[Ulkoasu]\r\n", text)
        for key in ("Form.X", "Form.Y", "Form.Leveys", "Form.Korkeus", "Form.Jakaja",
                    "Alarms.C1", "Alarms.C2", "Alarms.C3", "Alarms.C4", "Alarms.C5"):
            self.assertRegex(text, re.escape(key) + r"=-?\d+\r\n")
        self.assertIn("PPalkki=1\r\n", text)


if __name__ == "__main__":
    unittest.main()
