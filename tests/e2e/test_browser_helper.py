"""The table view's page, drawn by the browser engine's helper process, as the rest of the main
window: at Wednesday 11.2.2026 10:00 with an own table view whose late programme is blue, a
programme link clicked under the open Info box or under the settings dialog opens nothing and the
wheel scrolls nothing there; a helper that is killed or stopped leaves the program's notice in
the table's place, never another view's list, and the next show brings the table back in a new
helper; so does a helper that exits at once, sends what can't be read, is missing or can't be
run; the helper ends a minute after the table was last in sight even when the clock is set
back."""
import os
import shutil
import signal
import sys
import time
import unittest

from harness import BINARY, DisplayTestCase, MovableClock, Program, wait_for
from test_programme_link import START, TITLE, write_fixture
from test_views_and_search import pixels_of, read_ppm

BLUE = (0x00, 0x00, 0xFF)
THURSDAY = "QEX 2000 - Torstai 12. Helmikuuta 2026"
# The blue programme first, then enough of others for the page to scroll.
WEDNESDAY = [("05:10", "Y\u00f6elokuva", "Kaksi yst\u00e4v\u00e4\u00e4 l\u00e4htee saaristoon.")] + [
    (f"{6 + i // 3:02d}:{20 * (i % 3):02d}", f"Ohjelma {i}", "") for i in range(50)]


def helper_pids(folder):
    """The browser helpers running for the program in `folder` (they run where it does)."""
    pids = []
    for name in os.listdir("/proc"):
        if not name.isdigit():
            continue
        try:
            with open(f"/proc/{name}/comm") as comm:
                if comm.read().strip() != "qex-browser":
                    continue
            with open(f"/proc/{name}/stat") as stat:
                if stat.read().rsplit(")", 1)[1].split()[0] == "Z":
                    continue
            if os.readlink(f"/proc/{name}/cwd") == folder:
                pids.append(int(name))
        except OSError:
            pass  # gone meanwhile
    return pids


class BrowserHelperEndToEnd(DisplayTestCase):
    def start(self, clock=None):
        self.folder = self.own_folder("helper")
        write_fixture(self.folder, WEDNESDAY)
        self.program = Program(self.display, self.folder, fake_time=None if clock else START, clock=clock)
        self.addCleanup(self.program.kill)
        self.window = self.program.wait_window("^QEX 2000 - Keskiviikko")
        self.program.wait_title(self.window, TITLE)

    def shot(self, name):
        path = self.shot_path(name)
        self.program.screenshot(path)
        print(f"screenshot: {path}", file=sys.stderr)
        return path

    def blue(self):
        return pixels_of(self.shot("look.png"), BLUE)

    def settled_blue(self):
        """The blue pixels once two looks half a second apart agree (the page paints late)."""
        previous = None
        deadline = time.monotonic() + 20
        while time.monotonic() < deadline:
            blue = self.blue()
            if blue and blue == previous:
                return blue
            previous = blue
            time.sleep(0.5)
        return previous

    def show_again(self):
        """Minimised for a moment, as a user would, and back."""
        self.program.xdotool("windowminimize", "--sync", self.window)
        time.sleep(1)
        self.program.xdotool("windowactivate", "--sync", self.window, check=False)

    def info_boxes(self):
        return self.program.xdotool("search", "--onlyvisible", "--name", "^Info$", check=False).split()

    def click_at(self, x, y):
        self.program.xdotool("mousemove", "--sync", str(x), str(y))
        self.program.xdotool("click", "1")

    def test_links_and_the_wheel_under_a_box_do_nothing(self):
        self.start()
        program = self.program
        blue = self.settled_blue()
        self.assertTrue(blue, "the late programme is not shown in its keyword colour")
        x, y = blue[len(blue) // 2]
        program.xdotool("windowactivate", "--sync", self.window, check=False)
        self.click_at(x, y)
        box = program.wait_window("^Info$")
        time.sleep(0.5)

        # Under the Info box: the link again, a double click, and the wheel over the page.
        before = self.table_band(self.shot("qex-under-info-before.png"))
        self.click_at(x, y)
        program.xdotool("click", "--repeat", "2", "1")
        for _ in range(5):
            program.xdotool("click", "5")
        time.sleep(1.5)
        after_shot = self.shot("qex-under-info-after.png")
        self.assertEqual(len(self.info_boxes()), 1, f"a link under the Info box opened another; see {after_shot}")
        self.assertTrue(before == self.table_band(after_shot), f"the page moved under the Info box; see {after_shot}")
        program.key(box, "Escape")
        wait_for(lambda: not self.info_boxes(), 10, "the Info box to close")

        # Under the settings dialog ("Yleiset...", F5): nothing opens either.
        program.key(self.window, "F5")
        dialog = program.wait_window("^Asetukset$")
        time.sleep(0.5)
        self.click_at(x, y)
        time.sleep(1.5)
        shot = self.shot("qex-under-settings.png")
        self.assertEqual(self.info_boxes(), [], f"a link under the settings dialog opened the Info box; see {shot}")
        program.key(dialog, "Escape")
        wait_for(lambda: "Asetukset" not in program.titles(), 10, "the settings dialog to close")

        # With no box, the same click opens the Info box, and the wheel scrolls the page.
        program.xdotool("windowactivate", "--sync", self.window, check=False)
        self.click_at(x, y)
        box = program.wait_window("^Info$")
        program.key(box, "Escape")
        wait_for(lambda: not self.info_boxes(), 10, "the Info box to close")
        program.xdotool("mousemove", "--sync", str(x), str(y))
        for _ in range(5):
            program.xdotool("click", "5")
        wait_for(lambda: self.table_band(self.shot("qex-wheel-without-box.png")) != before, 10, "the page to scroll")

    def test_a_killed_or_stopped_helper_leaves_the_notice_and_the_next_show_starts_a_new_one(self):
        self.start()
        program = self.program
        self.assertTrue(self.settled_blue(), "the table is not shown")
        # Through the channel view and back, so that its programme list lies under the table.
        program.key(self.window, "alt+a", "Left", "Left", "Return")
        program.wait_title(self.window, "QEX 2000 - TV1, Keskiviikko 11. Helmikuuta 2026")
        program.key(self.window, "alt+a", "Left", "Left", "Down", "Return")
        program.wait_title(self.window, TITLE)
        self.assertTrue(self.settled_blue(), "the table is not shown again")

        for stop in (signal.SIGKILL, signal.SIGSTOP):
            helpers = wait_for(lambda: helper_pids(self.folder), 20, "a running helper")
            self.assertEqual(len(helpers), 1, helpers)
            os.kill(helpers[0], stop)
            wait_for(lambda: not helper_pids(self.folder), 30, f"the helper's end after {stop.name}")
            wait_for(lambda: not self.blue(), 10, f"the table to go after {stop.name}")
            shot = self.shot(f"qex-notice-after-{stop.name}.png")
            self.assertEqual(program.title(self.window), TITLE)
            self.assert_notice(shot)
            # Minimised and back: the table in a new helper.
            self.show_again()
            self.assertTrue(self.settled_blue(), f"the table did not come back after {stop.name}")
            self.assertEqual(len(helper_pids(self.folder)), 1)

        # Killed just before the next day is asked for: that day's page or the notice, never what
        # was there, and the next show starts a new helper.
        program.xdotool("windowactivate", "--sync", self.window, check=False)
        os.kill(helper_pids(self.folder)[0], signal.SIGKILL)
        program.xdotool("key", "KP_Multiply")
        program.wait_title(self.window, THURSDAY)
        wait_for(lambda: not self.blue(), 10, "Wednesday's table to go")
        time.sleep(1)
        shot = self.shot("qex-next-day-after-kill.png")
        # Checked after the shot: a page needs a helper, so one there now was there for the shot
        # too, and its page is waited for below, however long it takes to paint.
        if not helper_pids(self.folder):
            self.assert_notice(shot)
            self.show_again()
        wait_for(lambda: helper_pids(self.folder), 20, "a new helper for the next day")
        wait_for(lambda: b"\x00\x00\x80" in self.table_band(self.shot("qex-next-day-shown.png")), 20,
                 "the next day's table")

    def test_a_helper_that_exits_at_once_sends_garbage_or_is_missing_leaves_the_notice(self):
        # The program takes the helper beside it: stand-ins that fail their own ways.
        fake = os.path.join(self.own_folder("helper"), "qex-browser")

        started = os.path.join(self.own_folder("helper"), "started")

        def starts():
            with open(started) if os.path.exists(started) else open(os.devnull) as log:
                return len(log.read().split())

        def stand_in(script):
            with open(fake + ".new", "w") as out:
                out.write(f"#!/bin/sh\necho $$ >> '{started}'\n" + script)
            os.chmod(fake + ".new", 0o755)
            os.replace(fake + ".new", fake)

        self.start()
        program = self.program
        self.assertTrue(self.settled_blue(), "the table is not shown")
        stand_in("exit 3\n")
        os.kill(helper_pids(self.folder)[0], signal.SIGKILL)
        wait_for(lambda: not self.blue(), 10, "the table to go")
        # Through the channel view, whose list then lies under the table, and back: the next
        # helper exits at once.
        program.key(self.window, "alt+a", "Left", "Left", "Return")
        program.wait_title(self.window, "QEX 2000 - TV1, Keskiviikko 11. Helmikuuta 2026")
        time.sleep(1)
        program.key(self.window, "alt+a", "Left", "Left", "Down", "Return")
        program.wait_title(self.window, TITLE)
        # The title changes before the page is handed to a helper, which then takes its time to run.
        wait_for(lambda: starts() >= 1, 20, "the table view to start a helper")
        time.sleep(1)
        self.assert_notice(self.shot("qex-notice-helper-exits.png"))

        # A frame of an unknown kind, then nothing: the next show tries it, and shows the notice.
        stand_in('fd=${1#--channel=}\neval "printf \'\\000\\000\\000\\011\\177garbage!\' >&$fd"\nexec sleep 30\n')
        before = starts()
        self.show_again()
        wait_for(lambda: starts() > before, 20, "a new helper at the next show")
        time.sleep(1)
        self.assertFalse(self.blue())
        self.assert_notice(self.shot("qex-notice-helper-garbage.png"))

        # Missing, then there but not runnable: each next show tries, and shows the notice.
        def not_runnable():
            stand_in("exit 0\n")
            os.chmod(fake, 0o644)

        for what, make in (("missing", lambda: os.remove(fake)), ("not-executable", not_runnable)):
            make()
            self.show_again()
            time.sleep(1)
            self.assertFalse(self.blue(), what)
            self.assert_notice(self.shot(f"qex-notice-helper-{what}.png"))

        # The real helper again: the next show brings the table.
        shutil.copy2(os.path.join(os.path.dirname(BINARY), "qex-browser"), fake + ".new")
        os.replace(fake + ".new", fake)
        self.show_again()
        self.assertTrue(self.settled_blue(), "the table did not come back with the real helper")

    def table_band(self, shot):
        """The pixels of the upper part of the table's place, where a page or a list would begin
        (a band of the main window below its day bar), as RGB triples."""
        width, _, rgb = read_ppm(shot)
        left, top = (int(v) for v in self.program.xdotool("getwindowgeometry", self.window)
                     .split("Position: ")[1].split()[0].split(","))
        size = self.program.xdotool("getwindowgeometry", self.window).split("Geometry: ")[1].split()[0]
        right = left + int(size.split("x")[0]) - 20
        band = []
        for y in range(top + 70, top + 200, 2):
            for x in range(left + 20, right, 2):
                at = 3 * (y * width + x)
                band.append(rgb[at:at + 3])
        return band

    def assert_notice(self, shot):
        """The table's place holds the notice alone: nothing dark (text, a table's heading) where
        the page or a list would begin."""
        dark = [pixel for pixel in self.table_band(shot) if max(pixel) < 0x80]
        self.assertFalse(dark, f"something shows in the table's place; see {shot}")

    def test_the_helper_ends_a_minute_after_the_table_went_out_of_sight_whatever_the_clock_does(self):
        clock = MovableClock(self.own_folder("helper"), START)
        self.start(clock)
        self.assertTrue(self.settled_blue(), "the table is not shown")
        self.assertTrue(helper_pids(self.folder))
        self.program.key(self.window, "F4")
        self.program.wait_title(self.window, "QEX 2000 - H\u00e4lytykset")
        left = time.monotonic()
        clock.jump(-30 * 60)
        wait_for(lambda: not helper_pids(self.folder), 120, "the helper's end with the clock set back")
        self.assertGreater(time.monotonic() - left, 50)


if __name__ == "__main__":
    unittest.main()
