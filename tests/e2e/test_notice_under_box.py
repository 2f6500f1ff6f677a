"""An alarm notice that fires while a box runs, on the real program under a window manager on
Monday 7.12.2026: the automatic alarms ask "Lisätäänkö hälytyksiin?" about Tuesday's film in a
box centred on the screen, and the 20:00 alarm's notice, also centred, fires at 19:55:00 meanwhile. The notice opens
beside the box rather than under it, above the main window; the box stays above the main window
and active, and answering it adds the alarm, which is in "QEX.ALS" at once without the fired one."""
import datetime
import os
import sys
import unittest

from harness import DisplayTestCase, Program, SOURCE, cp1252, file_bytes, wait_for

sys.path.insert(0, os.path.join(SOURCE, "tools"))
import listing_file  # noqa: E402
from test_one_copy_per_folder import MONDAY  # noqa: E402

START = "2026-12-07 19:54:40"
ALARM = ("7.12.2026 (MA)\r\nTV1\r\n20:00\r\nUutiset\r\n\r\nP\u00e4iv\u00e4n uutiset.\r\n"
         "#NRM #SHD:Normaali ilmoitus n\u00e4yt\u00f6lle \r\n\r\n")


def write_fixture(folder):
    data = os.path.join(folder, "Tiedot")
    os.makedirs(data)
    with open(os.path.join(data, "01-50.QEX"), "wb") as out:
        out.write(listing_file.chosen_week_file("01", datetime.date(2026, 12, 7), [MONDAY, MONDAY]))
    settings = ("[Kanavat]\r\nK\u00e4yt\u00f6ss\u00e4=TV1;\r\n[Muut]\r\nOletusN\u00e4kym\u00e4=Normaali\r\n"
                "[Ulkoasu]\r\nForm.X=0\r\nForm.Y=0\r\nForm.Leveys=700\r\nForm.Korkeus=620\r\n"
                "[H\u00e4lytys]\r\nPCSpeakerK\u00e4yt\u00f6ss\u00e4=0\r\nLis\u00e4\u00e4Automaattisesti=1\r\n"
                "AutomaattisestiLis\u00e4tt\u00e4v\u00e4t=Elokuva;\r\n")
    with open(os.path.join(folder, "QEX.INI"), "wb") as out:
        out.write(cp1252(settings))
    with open(os.path.join(folder, "QEX.ALS"), "wb") as out:
        out.write(cp1252(ALARM))


def overlap(a, b):
    return a[0] < b[2] and b[0] < a[2] and a[1] < b[3] and b[1] < a[3]


class NoticeUnderBoxEndToEnd(DisplayTestCase):
    def setUp(self):
        self.folder = self.own_folder("notice-box")
        write_fixture(self.folder)
        self.program = Program(self.display, self.folder, fake_time=START)
        self.addCleanup(self.program.kill)

    def alarm_file(self):
        return file_bytes(os.path.join(self.folder, "QEX.ALS"))

    def test_a_notice_firing_under_an_open_box_opens_beside_it(self):
        program = self.program
        window = program.wait_window("^QEX 2000 - TV1")
        # "Tietojen haku" > "Suorita automaattinen hälytysten lisäys".
        program.key(window, "alt+h", "Down", "Down", "Down", "Down", "Return")
        box = program.wait_window("^Hyv\u00e4ksy$")
        notice = program.wait_window("^TV1: 20:00 Uutiset", timeout=40)
        # The window manager frames the notice, then the program moves it clear of the box.
        wait_for(lambda: not overlap(program.frame(notice), program.frame(box)), 5,
                 f"the notice clear of the box: {program.frame(notice)} and {program.frame(box)}")
        self.shot("qex-notice-beside-box.png")
        notice_frame = program.frame(notice)
        self.assertTrue(0 <= notice_frame[0] and notice_frame[2] <= 1280 and 0 <= notice_frame[1]
                        and notice_frame[3] <= 1024, f"the notice on the screen: {notice_frame}")
        stack = program.stacking()
        self.assertGreater(stack.index(int(notice)), stack.index(int(window)), "the notice above the main window")
        self.assertGreater(stack.index(int(box)), stack.index(int(window)), "the box above the main window")
        self.assertEqual(program.xdotool("getactivewindow", check=False), box, "the box keeps the focus")
        self.assertNotIn(b"Uutiset", self.alarm_file(), "the fired alarm leaves QEX.ALS")

        program.key(box, "Return")
        wait_for(lambda: b"Elokuva" in self.alarm_file(), 5, "the added alarm in QEX.ALS")
        self.assertNotIn(b"Uutiset", self.alarm_file())


if __name__ == "__main__":
    unittest.main()
