"""A program left running over a night on a clock the test moves: started on Sunday 15.2.2026
evening with that week's listings fetched, at 05:00 on Monday the window shows Monday 16.2 of the
new week, F6 keeps it there, and F7 fetches the week that became the next one; a table view
chosen after the alarm view turns to the new day with the calendar, the day keys going on from
there; a download that runs past 05:00 and fails leaves the window on the new day, and Ins adds
that day's programme; and a programme link's box answered after 05:00 adds the day it showed."""
import datetime
import os
import sys
import time

from harness import SOURCE, DisplayTestCase, MovableClock, Program, cp1252, wait_for
from test_download import DataServer
from test_views_and_search import pixels_of

sys.path.insert(0, os.path.join(SOURCE, "tools"))
import listing_file  # noqa: E402

SUNDAY_TITLE = "QEX 2000 - TV1, Sunnuntai 15. Helmikuuta 2026"
DAY_NAMES = ("Ma", "Ti", "Ke", "To", "Pe", "La", "Su")
MONDAY_TITLE = "QEX 2000 - TV1, Maanantai 16. Helmikuuta 2026"
TUESDAY_TITLE = "QEX 2000 - TV1, Tiistai 17. Helmikuuta 2026"


def start_program(case, program_folder, moment, title_part):
    """Starts the program on a clock set to `moment` that the case moves (case.clock), and waits
    for its main window (case.window), whose title holds `title_part`."""
    case.clock = MovableClock(case.folder, moment)
    case.program = Program(case.display, program_folder, clock=case.clock)
    case.addCleanup(case.program.kill)
    case.window = case.program.wait_window(title_part)


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
        start_program(self, program_folder, "2026-02-15 23:20:00", "^QEX 2000 - TV1")

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
        self.shot("qex-day-turn-monday.png")

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
        start_program(self, program_folder, "2026-12-07 20:00:00", "^QEX 2000 - TV1")

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
        self.shot("qex-day-turn-table.png")
        # The next day is the one after the day shown.
        program.key(window, "KP_Multiply")
        program.wait_title(window, "QEX 2000 - Keskiviikko 9. Joulukuuta 2026")


def check_alarm_and_show_it(case, program, window, alarms, expected, name):
    """"QEX.ALS" begins with the `expected` row, and the alarm view that lists it is shot as `name`."""
    wait_for(lambda: os.path.exists(alarms), 10, "the alarm file")
    with open(alarms, "rb") as source:
        case.assertEqual(source.read()[:len(expected)], expected)
    program.key(window, "F4")
    program.wait_title(window, "QEX 2000 - H\u00e4lytykset")
    case.shot(name)


def day_named_week(monday):
    """TV1's programmes at 06:00, 19:30 and 20:00 of every day of the week, each title naming its
    day and time ("TV1 Ti17.2 20:00"), so the list and a saved alarm tell which day they are of."""
    days = []
    for i, name in enumerate(DAY_NAMES):
        date = monday + datetime.timedelta(days=i)
        days.append([(time_text, f"TV1 {name}{date.day}.{date.month} {time_text}", "")
                     for time_text in ("06:00", "19:30", "20:00")])
    return listing_file.chosen_week_file("01", monday, days)


class FailedDownloadOverTheTurn(DisplayTestCase):
    """Tuesday 17.2.2026 04:59:45, Monday's TV day: TV1's week is stored, Canal+'s is not, and the
    server holds the listing request for 15 seconds and then drops it."""

    def setUp(self):
        self.folder = self.own_folder("dayturn-download")
        self.server = DataServer(self.folder, "--fault", "stall", "--fault-on", "qex", "--fault-count", "1",
                                 "--stall-seconds", "15")
        self.addCleanup(self.server.stop)
        self.program_folder = os.path.join(self.folder, "program")
        data = os.path.join(self.program_folder, "Tiedot")
        os.makedirs(data)
        with open(os.path.join(data, "01-08.QEX"), "wb") as out:
            out.write(day_named_week(datetime.date(2026, 2, 16)))
        with open(os.path.join(self.program_folder, "QEX.INI"), "wb") as out:
            out.write(cp1252("[Kanavat]\r\nK\u00e4yt\u00f6ss\u00e4=TV1;Canal+;\r\n[Muut]\r\n"
                             "OletusN\u00e4kym\u00e4=Normaali\r\nProxyIP=127.0.0.1\r\n"
                             f"ProxyPortti={self.server.port}\r\n"))
        start_program(self, self.program_folder, "2026-02-17 04:59:45", "^QEX 2000 - TV1")

    def test_the_list_and_an_added_alarm_are_of_the_day_the_tab_shows(self):
        program, window = self.program, self.window
        program.wait_title(window, "QEX 2000 - TV1, Maanantai 16. Helmikuuta 2026")
        program.key(window, "F7")
        wait_for(lambda: any(line.startswith("POST") for line in self.server.lines()), 20, "the listing request")
        # 05:00 passes while the server holds the request: the window turns with the day.
        program.wait_title(window, TUESDAY_TITLE, 20)
        box = program.wait_window("^QEX 2000$", 30)
        program.key(box, "Return")
        wait_for(lambda: program.titles() == [TUESDAY_TITLE], 10, "the error box to close")
        self.shot("qex-failed-download-over-the-turn.png")

        # Ins on the last row of the list, 20:00.
        program.xdotool("windowactivate", "--sync", window, check=False)
        program.xdotool("mousemove", "--window", window, "200", "72", "click", "1")
        program.key(window, "End", "Insert")
        check_alarm_and_show_it(self, program, window, os.path.join(self.program_folder, "QEX.ALS"),
                                b"17.2.2026 (TI)\r\nTV1\r\n20:00\r\nTV1 Ti17.2 20:00\r\n",
                                "qex-failed-download-alarm.png")


class LinkBoxOverTheTurn(DisplayTestCase):
    """Wednesday 9.12.2026 04:59:40, Tuesday's TV day: a table view of TV1 shows Tuesday's news at
    20:00 in blue; Wednesday holds a series."""

    def setUp(self):
        self.folder = self.own_folder("dayturn-link")
        data = os.path.join(self.folder, "Tiedot")
        os.makedirs(data)
        days = [[], [("20:00", "Uutiset", "P\u00e4iv\u00e4n uutiset.")], [("21:00", "Sarja", "")]]
        with open(os.path.join(data, "01-50.QEX"), "wb") as out:
            out.write(listing_file.chosen_week_file("01", datetime.date(2026, 12, 7), days))
        with open(os.path.join(self.folder, "QEX.INI"), "wb") as out:
            out.write(cp1252("[Kanavat]\r\nK\u00e4yt\u00f6ss\u00e4=TV1;\r\n"
                             "[Muut]\r\nOletusN\u00e4kym\u00e4=Y\u00f6\r\n"
                             "[N\u00e4kym\u00e4t]\r\nOmiaN\u00e4kymi\u00e4=0\r\nOmaN\u00e4kym\u00e40=Y\u00f6:Taulukko:TV1;\r\n"
                             "[V\u00e4ritys]\r\nK\u00e4yt\u00f6ss\u00e4=1\r\nOmiaV\u00e4rityksi\u00e4=0\r\n"
                             "OmaV\u00e4ritys0=<c:clblue>Uutiset;\r\n"
                             "[H\u00e4lytys]\r\nTyyppi=Normaali ilmoitus n\u00e4yt\u00f6lle\r\n"
                             "PCSpeakerK\u00e4yt\u00f6ss\u00e4=0\r\n"))
        start_program(self, self.folder, "2026-12-09 04:59:40", "^QEX 2000 - Tiistai")

    def test_the_box_adds_the_day_it_showed(self):
        program, window = self.program, self.window
        shot = os.path.join(self.folder, "table.png")

        def blue():
            program.screenshot(shot)
            return pixels_of(shot, (0x00, 0x00, 0xFF))

        x, y = wait_for(blue, 20, "Tuesday's news in blue")[0]
        program.xdotool("windowactivate", "--sync", window, check=False)
        program.xdotool("mousemove", "--sync", str(x), str(y), "click", "1")
        box = program.wait_window("^Info$")
        # 05:00 passes while the box is up: the page under it turns to Wednesday.
        program.wait_title(window, "QEX 2000 - Keskiviikko 9. Joulukuuta 2026", 30)
        self.shot("qex-link-box-over-the-turn.png")
        program.key(box, "alt+l")
        # Once the box is gone the page is Wednesday's, without Tuesday's news.
        wait_for(lambda: not blue(), 20, "Wednesday's page")
        self.shot("qex-link-after-box.png")
        check_alarm_and_show_it(self, program, window, os.path.join(self.folder, "QEX.ALS"),
                                b"8.12.2026 (TI)\r\nTV1\r\n20:00\r\nUutiset\r\n", "qex-link-box-alarm.png")
