"""A program left running over a night on a clock the test moves: started on Sunday 15.2.2026
evening with that week's listings fetched, at 05:00 on Monday the window shows Monday 16.2 of the
new week, F6 keeps it there, and F7 fetches the week that became the next one; and a table view
chosen after the alarm view turns to the new day with the calendar, the day keys going on from
there."""
import datetime
import os
import sys
import time

from harness import SOURCE, DisplayTestCase, MovableClock, Program, cp1252, wait_for
from test_download import DataServer

sys.path.insert(0, os.path.join(SOURCE, "tools"))
import listing_file  # noqa: E402

SUNDAY_TITLE = "QEX 2000 - TV1, Sunnuntai 15. Helmikuuta 2026"
MONDAY_TITLE = "QEX 2000 - TV1, Maanantai 16. Helmikuuta 2026"


class DayTurnEndToEnd(DisplayTestCase):
    def setUp(self):
        self.folder = self.own_folder("dayturn")
        self.server = DataServer(self.folder)
        self.addCleanup(self.server.stop)
        program_folder = os.path.join(self.folder, "program")
        os.makedirs(os.path.join(program_folder, "Tiedot"))
        with open(os.path.join(program_folder, "QEX.INI"), "wb") as out:
            out.write(cp1252("[Kanavat]\r\nK\u00e4yt\u00f6ss\u00e4=TV1;Canal+;\r\n[Muut]\r\n"
                             "OletusN\u00e4kym\u00e4=Normaali\r\nProxyIP=127.0.0.1\r\n"
                             f"ProxyPortti={self.server.port}\r\n"))
        self.clock = MovableClock(self.folder, "2026-02-15 23:20:00")
        self.program = Program(self.display, program_folder, clock=self.clock)
        self.addCleanup(self.program.kill)
        self.window = self.program.wait_window("^QEX 2000 - TV1")

    def posts(self):
        return [request.split(b"\r\n\r\n", 1)[1] for line, request in self.server.requests()
                if line.startswith("POST")]

    def test_monday_morning_shows_the_new_week_and_f7_fetches_its_next(self):
        self.program.key(self.window, "F7")
        self.program.wait_title(self.window, SUNDAY_TITLE, 20)
        self.assertEqual(self.posts(), [b"files=01-07,01-08,10-07"])

        # Past midnight the TV day is still Sunday's; at 05:00 the calendar turns by itself.
        self.clock.jump_to("2026-02-16 04:59:57")
        time.sleep(1.5)
        self.assertEqual(self.program.title(self.window), SUNDAY_TITLE)
        self.program.wait_title(self.window, MONDAY_TITLE, 15)

        self.program.key(self.window, "F6")
        time.sleep(0.5)
        self.assertEqual(self.program.title(self.window), MONDAY_TITLE)
        shot = self.shot_path("qex-day-turn-monday.png")
        self.program.screenshot(shot)
        print(f"screenshot: {shot}", file=sys.stderr)

        # The week that ended is no longer asked for; the one after the new week is.
        self.program.key(self.window, "F7")
        wait_for(lambda: len(self.posts()) == 2, 20, "the second listing request")
        self.assertEqual(self.posts()[1], b"files=01-09,10-08")
        self.program.wait_title(self.window, MONDAY_TITLE, 20)
        data = os.path.join(self.folder, "program", "Tiedot")
        wait_for(lambda: os.path.exists(os.path.join(data, "01-09.QEX")), 10, "the new week's file")


class TableOverTheDayTurn(DisplayTestCase):
    """TV1's week 50 of 2026: a film on Monday 7.12, the news on Tuesday; one table view of TV1."""

    def setUp(self):
        self.folder = self.own_folder("dayturn-table")
        program_folder = os.path.join(self.folder, "program")
        data = os.path.join(program_folder, "Tiedot")
        os.makedirs(data)
        days = [[("14:05", "Elokuva", "Kuvaus.")], [("20:00", "Uutiset", "P\u00e4iv\u00e4n uutiset.")]]
        with open(os.path.join(data, "01-50.QEX"), "wb") as out:
            out.write(listing_file.chosen_week_file("01", datetime.date(2026, 12, 7), days))
        with open(os.path.join(program_folder, "QEX.INI"), "wb") as out:
            out.write(cp1252("[Kanavat]\r\nK\u00e4yt\u00f6ss\u00e4=TV1;\r\n[Muut]\r\nOletusN\u00e4kym\u00e4=Normaali\r\n"
                             "[N\u00e4kym\u00e4t]\r\nOmiaN\u00e4kymi\u00e4=0\r\nOmaN\u00e4kym\u00e40=A:Taulukko:TV1;\r\n"))
        self.clock = MovableClock(self.folder, "2026-12-07 20:00:00")
        self.program = Program(self.display, program_folder, clock=self.clock)
        self.addCleanup(self.program.kill)
        self.window = self.program.wait_window("^QEX 2000 - TV1")

    def test_a_table_chosen_after_the_alarm_view_turns_with_the_day(self):
        program, window = self.program, self.window
        program.wait_title(window, "QEX 2000 - TV1, Maanantai 7. Joulukuuta 2026")
        program.key(window, "F4")
        program.wait_title(window, "QEX 2000 - H\u00e4lytykset")
        # The first own view, under "Normaali" in the views menu two to the left of "Asetukset".
        program.key(window, "alt+a", "Left", "Left", "Down", "Return")
        program.wait_title(window, "QEX 2000 - Maanantai 7. Joulukuuta 2026", 20)

        self.clock.jump_to("2026-12-08 04:59:58")
        program.wait_title(window, "QEX 2000 - Tiistai 8. Joulukuuta 2026", 20)
        shot = self.shot_path("qex-day-turn-table.png")
        program.screenshot(shot)
        print(f"screenshot: {shot}", file=sys.stderr)
        # The next day is the one after the day shown.
        program.key(window, "KP_Multiply")
        program.wait_title(window, "QEX 2000 - Keskiviikko 9. Joulukuuta 2026")
