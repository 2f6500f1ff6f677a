"""The real program at Wednesday 11.2.2026 10:00 with an own table view: a click on a programme
after midnight shows its information box, whose second button adds the alarm dated the next
calendar day and keeps it in "QEX.ALS" at once; the same click again reports the duplicate. The
global hot key (F12) then switches the shown window to what is on now."""
import datetime
import os
import sys
import time
import unittest

from harness import DisplayTestCase, Program, SOURCE, cp1252

sys.path.insert(0, os.path.join(SOURCE, "tools"))
import listing_file  # noqa: E402
from test_views_and_search import pixels_of  # noqa: E402

START = "2026-02-11 10:00:00"
TITLE = "QEX 2000 - Keskiviikko 11. Helmikuuta 2026"
WEDNESDAY = [("06:00", "Aamu-tv", "Uutisia."), ("09:55", "Ryhm\u00e4 H", "Ensimm\u00e4inen esitys."),
             ("21:00", "Elokuva: Tuntematon sotilas", "Sotaelokuva."),
             ("00:30", "Y\u00f6elokuva", "Kaksi yst\u00e4v\u00e4\u00e4 l\u00e4htee kes\u00e4lomalle "
              "saaristoon, mutta matka ei mene suunnitellusti.")]
ALARM = ("12.2.2026 (KE)\r\nTV1\r\n00:30\r\nY\u00f6elokuva\r\n\r\nKaksi yst\u00e4v\u00e4\u00e4 l\u00e4htee "
         "kes\u00e4lomalle saaristoon, mutta matka ei mene suunnitellusti.\r\n"
         "#NRM #SHD:Normaali ilmoitus n\u00e4yt\u00f6lle \r\n\r\n")


def write_fixture(folder, wednesday=WEDNESDAY):
    data = os.path.join(folder, "Tiedot")
    os.makedirs(data)
    monday = datetime.date(2026, 2, 9)
    records = []
    for i in range(7):
        date = monday + datetime.timedelta(days=i)
        records.append((listing_file.record_key(date, "01"), listing_file.day_text(wednesday) if i == 2 else b""))
    with open(os.path.join(data, "01-07.QEX"), "wb") as out:
        out.write(listing_file.file_bytes(records))
    # Only the late programme is blue, so a click on blue lands on it.
    settings = ("[Kanavat]\r\nK\u00e4yt\u00f6ss\u00e4=TV1;\r\n"
                "[Muut]\r\nOletusN\u00e4kym\u00e4=Y\u00f6\r\n"
                "[N\u00e4kym\u00e4t]\r\nOmiaN\u00e4kymi\u00e4=0\r\nOmaN\u00e4kym\u00e40=Y\u00f6:Taulukko:TV1;\r\n"
                "[V\u00e4ritys]\r\nK\u00e4yt\u00f6ss\u00e4=1\r\nOmiaV\u00e4rityksi\u00e4=0\r\n"
                "OmaV\u00e4ritys0=<c:clblue>Y\u00f6elokuva;\r\n"
                "[H\u00e4lytys]\r\nTyyppi=Normaali ilmoitus n\u00e4yt\u00f6lle\r\nPCSpeakerK\u00e4yt\u00f6ss\u00e4=0\r\n")
    with open(os.path.join(folder, "QEX.INI"), "wb") as out:
        out.write(cp1252(settings))


class ProgrammeLinkEndToEnd(DisplayTestCase):
    def setUp(self):
        self.folder = self.own_folder("link")
        write_fixture(self.folder)
        self.program = Program(self.display, self.folder, fake_time=START)
        self.addCleanup(self.program.kill)

    def alarm_file(self):
        path = os.path.join(self.folder, "QEX.ALS")
        if not os.path.exists(path):
            return b""
        with open(path, "rb") as alarms:
            return alarms.read()

    def settled_blue_pixels(self):
        """The blue pixels on the screen once two looks half a second apart agree: a box that has
        just closed still shows (its blue icon too) until the window under it has repainted, and
        the table shows only once the browser engine, started with the first page, has drawn it."""
        shot = os.path.join(self.folder, "table.png")
        previous = None
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline:
            self.program.screenshot(shot)
            blue = pixels_of(shot, (0x00, 0x00, 0xFF))
            if blue and blue == previous:
                break
            previous = blue
            time.sleep(0.5)
        return previous

    def click_programme(self, window):
        blue = self.settled_blue_pixels()
        self.assertTrue(blue, "the late programme is not shown in its keyword colour")
        x, y = blue[len(blue) // 2]
        self.program.xdotool("windowactivate", "--sync", window, check=False)
        self.program.xdotool("mousemove", "--sync", str(x), str(y))
        self.program.xdotool("click", "1")
        return self.program.wait_window("^Info$")

    def test_programme_box_adds_the_alarm_once_and_the_hot_key_shows_what_is_on_now(self):
        program = self.program
        window = program.wait_window("^QEX 2000 - Keskiviikko")
        self.assertEqual(program.title(window), TITLE)
        time.sleep(1)  # the page paints

        box = self.click_programme(window)
        self.shot("qex-programme-box.png")
        program.key(box, "alt+l")
        deadline = time.monotonic() + 10
        while self.alarm_file() != cp1252(ALARM) and time.monotonic() < deadline:
            time.sleep(0.1)
        self.assertEqual(self.alarm_file(), cp1252(ALARM))

        # The same programme again: the box, then the notice that it is listed already.
        box = self.click_programme(window)
        program.key(box, "alt+l")
        time.sleep(0.5)
        notice = program.wait_window("^Info$")
        program.key(notice, "Return")
        self.assertEqual(self.alarm_file(), cp1252(ALARM))
        self.assertEqual(program.title(window), TITLE)

        # The global hot key with the window shown: what is on now and next.
        program.key(window, "F12")
        deadline = time.monotonic() + 10
        while program.title(window) != "QEX 2000 - TV:ss\u00e4 nyt ja seuraavaksi" and time.monotonic() < deadline:
            time.sleep(0.1)
        self.assertEqual(program.title(window), "QEX 2000 - TV:ss\u00e4 nyt ja seuraavaksi")


if __name__ == "__main__":
    unittest.main()
