"""The main window out of sight and back, with the real program at Wednesday 11.2.2026 10:00 under
a window manager: minimised with Ctrl into a notification area (trayer, a small stand-alone tray
host) and brought back by a click on its icon; and on a desktop without a notification area,
minimised to the taskbar, where the global hot key (F12) calls up the TV-today window just as it
does from the notification area."""
import datetime
import os
import shutil
import subprocess
import sys
import time
import unittest

from harness import DisplayTestCase, Program, SOURCE, cp1252, wait_for

sys.path.insert(0, os.path.join(SOURCE, "tools"))
import listing_file  # noqa: E402

START = "2026-02-11 10:00:00"
MAIN_TITLE = "^QEX 2000 - TV1"
TV_TODAY_TITLE = r"^Keskiviikko 11\. Helmikuuta 2026, 10\."


class OutOfSight(DisplayTestCase):
    def start_program(self):
        self.folder = self.own_folder("tray")
        data = os.path.join(self.folder, "Tiedot")
        os.makedirs(data)
        with open(os.path.join(data, "01-07.QEX"), "wb") as out:
            out.write(listing_file.week_file("01", datetime.date(2026, 2, 9)))
        with open(os.path.join(self.folder, "QEX.INI"), "wb") as out:
            out.write(cp1252("[Kanavat]\r\nK\u00e4yt\u00f6ss\u00e4=TV1;\r\n[Muut]\r\nOletusN\u00e4kym\u00e4=Normaali\r\n"))
        self.program = Program(self.display, self.folder, fake_time=START)
        self.addCleanup(self.program.kill)
        return self.program.wait_window(MAIN_TITLE)

    def xdotool(self, *args):
        return self.program.xdotool(*args, check=False)

    def visible(self, title):
        return self.xdotool("search", "--onlyvisible", "--name", title).split()

    def minimise_with_ctrl(self, window):
        self.xdotool("windowactivate", "--sync", window)
        self.xdotool("keydown", "ctrl")
        self.xdotool("windowminimize", "--sync", window)
        time.sleep(0.3)
        self.xdotool("keyup", "ctrl")
        wait_for(lambda: not self.visible(MAIN_TITLE), 10, "the main window to leave the screen")

    def window_state(self, window):
        return subprocess.run(["xprop", "-id", window, "_NET_WM_STATE"], env=self.display.env(),
                              capture_output=True, text=True, timeout=10).stdout


@unittest.skipUnless(shutil.which("trayer"), "trayer (a stand-alone notification area) is not installed")
class WithANotificationArea(OutOfSight):
    def setUp(self):
        self.tray = subprocess.Popen(["trayer", "--edge", "bottom", "--align", "right", "--widthtype", "request",
                                      "--heighttype", "pixel", "--height", "24"], env=self.display.env(),
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(self.stop_tray)
        time.sleep(1)

    def stop_tray(self):
        self.tray.terminate()
        self.tray.wait(timeout=10)

    def icon_centre(self):
        """The middle of the tray host once it holds an icon (it grows from nothing to the icon)."""
        for window in self.xdotool("search", "--onlyvisible", "--class", "trayer").split():
            geometry = self.xdotool("getwindowgeometry", window)
            position = geometry.split("Position: ")[1].split(" ")[0].split(",")
            width, height = geometry.split("Geometry: ")[1].split("x")
            if int(width) >= 16:
                return int(position[0]) + int(width) // 2, int(position[1]) + int(height) // 2
        return None

    def test_a_click_on_the_icon_brings_back_a_window_minimised_with_ctrl(self):
        window = self.start_program()
        self.minimise_with_ctrl(window)
        x, y = wait_for(self.icon_centre, 10, "the program's icon in the notification area")
        self.shot("in-tray.png")

        self.xdotool("mousemove", "--sync", str(x), str(y))
        self.xdotool("click", "1")
        wait_for(lambda: self.visible(MAIN_TITLE), 10, "the main window to come back")
        wait_for(lambda: self.xdotool("getactivewindow") == window, 10, "the main window to be active")
        self.assertNotIn("_NET_WM_STATE_HIDDEN", self.window_state(window))
        wait_for(lambda: self.icon_centre() is None, 10, "the icon to leave the notification area")
        self.shot("back.png")


class WithoutANotificationArea(OutOfSight):
    def test_the_hot_key_calls_up_the_tv_today_window_while_the_window_is_minimised(self):
        window = self.start_program()
        self.minimise_with_ctrl(window)
        self.assertIn("_NET_WM_STATE_HIDDEN", self.window_state(window), "minimised to the taskbar")

        self.xdotool("key", "F12")
        today = wait_for(lambda: self.visible(TV_TODAY_TITLE), 10, "the TV-today window")
        self.shot("tv-today.png")
        self.assertEqual(self.xdotool("getactivewindow"), today[0])
        # The main window stays where the user put it, as it does in the notification area.
        self.assertEqual(self.visible(MAIN_TITLE), [])
        self.assertIn("_NET_WM_STATE_HIDDEN", self.window_state(window))


if __name__ == "__main__":
    unittest.main()
