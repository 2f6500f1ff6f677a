"""The real program at Wednesday 11.2.2026 10:00 opening an own table view at start: the table
with its keyword and alarm colours in the embedded browser, a click on a programme that opens
no page, the search (F3) with its results and its refusal of a short text, and the IMDb look-up
(F2) reaching the desktop's opener with the search address; and back from the table through the
alarm view (F4) to the channel view, the day bar's tabs laid out for the bar's width."""
import datetime
import os
import subprocess
import sys
import time
import unittest

from harness import DisplayTestCase, Program, SOURCE, cp1252, wait_for

sys.path.insert(0, os.path.join(SOURCE, "tools"))
import listing_file  # noqa: E402

START = "2026-02-11 10:00:00"
TITLE = "QEX 2000 - Keskiviikko 11. Helmikuuta 2026"
ALARM = ("11.2.2026 (KE)\r\nTV1\r\n21:00\r\nElokuva: Tuntematon sotilas\r\n\r\nSotaelokuva.\r\n"
         "#NRM #SHD:Normaali ilmoitus n\u00e4yt\u00f6lle \r\n\r\n")
DAYS = {
    "01": [("06:00", "Aamu-tv", "Uutisia."), ("09:00", "Uutiset", "P\u00e4iv\u00e4n uutiset."),
           ("12:00", "Puoli seitsem\u00e4n", ""), ("21:00", "Elokuva: Tuntematon sotilas", "Sotaelokuva."),
           ("00:30", "Y\u00f6uutiset", "")],
    "10": [("08:00", "Elokuva", "Kuvaus."), ("11:00", "Sarja", "Jakso 2."), ("20:30", "Iltauutiset", "")],
}


def write_fixture(folder):
    data = os.path.join(folder, "Tiedot")
    os.makedirs(data)
    monday = datetime.date(2026, 2, 9)
    for code, wednesday in DAYS.items():
        records = []
        for i in range(7):
            date = monday + datetime.timedelta(days=i)
            text = listing_file.day_text(wednesday) if i == 2 else b""
            records.append((listing_file.record_key(date, code), text))
        with open(os.path.join(data, f"{code}-07.QEX"), "wb") as out:
            out.write(listing_file.file_bytes(records))
    settings = ("[Kanavat]\r\nK\u00e4yt\u00f6ss\u00e4=TV1;Canal+;\r\n"
                "[Muut]\r\nOletusN\u00e4kym\u00e4=Ilta\r\n"
                "[N\u00e4kym\u00e4t]\r\nOmiaN\u00e4kymi\u00e4=0\r\nOmaN\u00e4kym\u00e40=Ilta:Taulukko:TV1;Canal+;\r\n"
                "[V\u00e4ritys]\r\nK\u00e4yt\u00f6ss\u00e4=1\r\nOmiaV\u00e4rityksi\u00e4=0\r\n"
                "OmaV\u00e4ritys0=<c:clblue>Uutiset;\r\n")
    with open(os.path.join(folder, "QEX.INI"), "wb") as out:
        out.write(cp1252(settings))
    with open(os.path.join(folder, "QEX.ALS"), "wb") as out:
        out.write(cp1252(ALARM))


def read_ppm(path):
    """Width, height and RGB bytes of a screenshot converted to binary PPM."""
    raw = subprocess.run(["convert", path, "ppm:-"], check=True, capture_output=True, timeout=30).stdout
    fields = raw.split(maxsplit=4)
    assert fields[0] == b"P6" and fields[3] == b"255", fields[:4]
    return int(fields[1]), int(fields[2]), fields[4]


def pixels_of(shot, colour):
    """Every (x, y) of the screenshot with exactly this colour."""
    width, height, rgb = read_ppm(shot)
    wanted = bytes(colour)
    found = []
    at = rgb.find(wanted)
    while at >= 0:
        if at % 3 == 0:
            found.append(((at // 3) % width, (at // 3) // width))
        at = rgb.find(wanted, at + 1)
    return found


NAVY = (0x00, 0x00, 0x80)


def screenshot_of_table(program, shot, timeout=20, colours=(NAVY,)):
    """The screen once a table shows on it with every one of `colours` (its navy channel headers
    by default), or at the time-out, as `shot`. The engine paints a page in parts: a picture
    taken at the first header may lack the rows below it."""
    deadline = time.monotonic() + timeout
    while True:
        program.screenshot(shot)
        if all(pixels_of(shot, colour) for colour in colours) or time.monotonic() > deadline:
            break
        time.sleep(0.3)
    print(f"screenshot: {shot}", file=sys.stderr)
    return shot


class ViewsAndSearchEndToEnd(DisplayTestCase):
    def setUp(self):
        self.folder = self.own_folder("views")
        write_fixture(self.folder)
        # The desktop's opener is a recorder: it writes the address it was given.
        self.opened = os.path.join(self.folder, "opened.txt")
        bin_folder = os.path.join(self.folder, "bin")
        os.makedirs(bin_folder)
        opener = os.path.join(bin_folder, "xdg-open")
        with open(opener, "w") as out:
            out.write(f"#!/bin/sh\nprintf '%s\\n' \"$1\" >> '{self.opened}'\n")
        os.chmod(opener, 0o755)
        saved_path = os.environ["PATH"]
        os.environ["PATH"] = bin_folder + os.pathsep + saved_path
        self.addCleanup(os.environ.__setitem__, "PATH", saved_path)
        self.program = Program(self.display, self.folder, fake_time=START)
        self.addCleanup(self.program.kill)

    def type_text(self, window, text):
        self.program.key(window, *["space" if c == " " else c for c in text])

    def opened_addresses(self):
        if not os.path.exists(self.opened):
            return []
        with open(self.opened) as recorded:
            return recorded.read().splitlines()

    def test_table_view_link_search_and_imdb(self):
        program = self.program
        window = program.wait_window("^QEX 2000 - Keskiviikko")
        self.program.wait_title(window, TITLE)

        # The browser engine starts with the first page: the table shows once it has painted.
        # The navy channel headers, the keyword colour of "Uutiset" and the alarm colour.
        shot = screenshot_of_table(program, self.shot_path("qex-table-view.png"),
                                   colours=(NAVY, (0x00, 0x00, 0xFF), (0xFF, 0x00, 0x00)))
        self.assertTrue(pixels_of(shot, NAVY), "no navy channel header")
        blue = pixels_of(shot, (0x00, 0x00, 0xFF))
        self.assertTrue(blue, "no programme in the keyword colour")
        self.assertTrue(pixels_of(shot, (0xFF, 0x00, 0x00)), "no programme in the alarm colour")

        # A click on a coloured programme opens no page and leaves the view: the window shows
        # the programme's box, which is closed.
        x, y = blue[len(blue) // 2]
        program.xdotool("mousemove", "--sync", str(x), str(y))
        program.xdotool("click", "1")
        box = program.wait_window("^Info$")
        program.key(box, "Return")
        self.program.wait_title(window, TITLE)
        self.assertEqual(self.opened_addresses(), [])

        # F3 with a two-letter text is refused with the error box.
        program.key(window, "F3")
        query = program.wait_window("^Etsi ohjelmatiedoista$")
        self.type_text(query, "ab")
        program.key(query, "Return")
        error = program.wait_window("^Virhe$")
        program.key(error, "Return")
        self.program.wait_title(window, TITLE)

        # F3 for "uutiset" lists the results under their caption.
        program.key(window, "F3")
        query = program.wait_window("^Etsi ohjelmatiedoista$")
        self.type_text(query, "uutiset")
        program.key(query, "Return")
        self.program.wait_title(window, "QEX 2000 - Haun tulokset")
        self.shot("qex-search-results.png")

        # F2 for "Star Wars" hands the search address to the desktop's opener.
        program.key(window, "F2")
        query = program.wait_window("^The Internet Movie Database haku$")
        self.type_text(query, "Star Wars")
        program.key(query, "Return")
        deadline = time.monotonic() + 10
        while not self.opened_addresses() and time.monotonic() < deadline:
            time.sleep(0.1)
        self.assertEqual(self.opened_addresses(), ["https://www.imdb.com/Find?star+wars"])

    def window_top(self, window, height):
        """The top `height` rows of the window's picture: the menu bar and the day bar."""
        picture = subprocess.run(["import", "-display", f":{self.display.number}", "-window", window,
                                  "-crop", f"10000x{height}+0+0", "ppm:-"],
                                 capture_output=True, check=True, timeout=30).stdout
        return picture

    def test_day_tabs_fit_the_bar_after_the_table_and_alarm_views(self):
        program = self.program
        window = program.wait_window("^QEX 2000 - Keskiviikko")
        program.wait_title(window, TITLE)
        program.key(window, "F4")
        program.wait_title(window, "QEX 2000 - H\u00e4lytykset")
        # "Normaali", the first item of the views menu two to the left of "Asetukset".
        program.key(window, "alt+a", "Left", "Left", "Return")
        program.wait_title(window, "QEX 2000 - TV1, Keskiviikko 11. Helmikuuta 2026")
        before = self.settled_top(window, 80)
        shot = self.shot("qex-day-tabs-after-views.png")
        # Resizing lays the tabs out afresh; back at its size the window must look as it did.
        geometry = program.xdotool("getwindowgeometry", window)
        width, height = geometry.split("Geometry: ")[1].split()[0].split("x")
        program.xdotool("windowsize", window, str(int(width) + 40), height)
        wait_for(lambda: self.settled_top(window, 80) != before, 20, "the wider window's picture")
        program.xdotool("windowsize", window, width, height)
        # A busy machine repaints late: wait for the picture to come back, and fail only if it never does.
        try:
            wait_for(lambda: self.settled_top(window, 80) == before, 20, "the window's picture at its old size")
        except AssertionError:
            self.fail(f"the day bar changed on a resize; see {shot}")

    def settled_top(self, window, height):
        """The window's top rows once two pictures in a row agree, so a repaint under way is not taken."""
        def agreeing():
            first = self.window_top(window, height)
            return first if first == self.window_top(window, height) else None
        return wait_for(agreeing, 20, "a settled picture of the window")


if __name__ == "__main__":
    unittest.main()
