"""Alarm notices and the warning box of a missing sound file on the real program under a window
manager (Monday 7.12.2026, lead time five minutes), in both orders: a notice in front when the next
alarm's "Varoitus" box comes, and a notice that fires while that box is up and is closed through the
window manager before it. The box belongs to the main window, never to the notice; the window
manager outlives either order and the program still answers its keys."""
import subprocess
import unittest

from harness import DisplayTestCase, MovableClock, Program, cp1252, wait_for
from test_alarm_clock import NORMAL, alarm
from test_notice_under_box import overlap

MISSING_SOUND = '#NRM #SHD:0 #WV:"/nonexistent/soitto.wav" '


class BoxAndNoticeOrderEndToEnd(DisplayTestCase):
    def launch(self, alarms):
        folder = self.own_folder("box-notice")
        for name, text in (("QEX.INI", "[Kanavat]\r\nK\u00e4yt\u00f6ss\u00e4=TV1;\r\n"
                                       "[H\u00e4lytys]\r\nPCSpeakerK\u00e4yt\u00f6ss\u00e4=0\r\n"),
                           ("QEX.ALS", "".join(alarms))):
            with open(f"{folder}/{name}", "wb") as out:
                out.write(cp1252(text))
        self.clock = MovableClock(folder, "2026-12-07 19:54:57")
        self.program = Program(self.display, folder, clock=self.clock)
        self.addCleanup(self.program.kill)
        return self.program.wait_window("^QEX 2000")

    def transient_for(self, window):
        out = subprocess.run(["xprop", "-id", window, "WM_TRANSIENT_FOR"], env=self.display.env(),
                             capture_output=True, timeout=20, text=True).stdout
        return int(out.rsplit("#", 1)[1], 16) if "#" in out else None

    def gone(self, window):
        return window not in self.program.xdotool("search", "--onlyvisible", "--class", "qex", check=False).split()

    def close(self, window, key, what):
        self.program.key(window, key)
        wait_for(lambda: self.gone(window), 10, f"{what} closed")

    def assert_both_still_answer(self, main):
        self.assertTrue(self.display.window_manager_running(), "the window manager survived the closing order")
        self.program.key(main, "F5")
        self.close(self.program.wait_window("^Asetukset$"), "Escape", "the settings dialog")
        self.assertTrue(self.display.window_manager_running())
        self.assertIsNone(self.program.process.poll(), "the program still runs")

    def test_a_box_that_comes_while_a_notice_is_in_front_belongs_to_the_main_window(self):
        main = self.launch([alarm("20:00", "Uutiset", NORMAL), alarm("20:01", "Sarja", MISSING_SOUND)])
        notice = self.program.wait_window("^TV1: 20:00 Uutiset", timeout=30)
        wait_for(lambda: self.program.xdotool("getactivewindow", check=False) == notice, 10, "the notice in front")
        self.clock.jump_to("2026-12-07 19:55:59")
        box = self.program.wait_window("^Varoitus$", timeout=20)
        self.assertEqual(self.transient_for(box), int(main), "the box is the main window's, not the notice's")
        wait_for(lambda: self.program.stacking().index(int(box)) > self.program.stacking().index(int(notice)), 5,
                 "the box above the notice that was in front")
        self.close(box, "Return", "the warning box")
        self.close(notice, "Escape", "the notice")
        self.assert_both_still_answer(main)

    def test_a_notice_that_fires_under_a_box_can_be_closed_before_it(self):
        main = self.launch([alarm("20:00", "Uutiset", MISSING_SOUND), alarm("20:01", "Sarja", NORMAL)])
        box = self.program.wait_window("^Varoitus$", timeout=30)
        self.clock.jump_to("2026-12-07 19:55:59")
        notice = self.program.wait_window("^TV1: 20:01 Sarja", timeout=20)
        # Once the program has moved the notice clear of the box, the user brings it forward and
        # closes it through the window manager, which unmaps it while the box stays.
        wait_for(lambda: not overlap(self.program.frame(notice), self.program.frame(box)), 10, "the notice beside the box")
        self.close(notice, "alt+F4", "the notice")
        self.assertFalse(self.gone(box), "the box stays until it is answered")
        self.close(box, "Return", "the warning box")
        self.assert_both_still_answer(main)


if __name__ == "__main__":
    unittest.main()
