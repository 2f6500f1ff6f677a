"""The real program under a window manager at Wednesday 11.2.2026 10:00: while the settings
dialog runs, a click on the main window changes nothing and does not bring it over the dialog;
the settings menu's items open the dialog on their own pages. Screenshots of the settings
dialog, the dual-list chooser and the about box are kept with the test's folder for a look. The
print form closes with Escape, as every dialog does."""
import datetime
import os
import subprocess
import sys
import time
import unittest

from harness import DisplayTestCase, Program, SOURCE, cp1252

sys.path.insert(0, os.path.join(SOURCE, "tools"))
import listing_file  # noqa: E402

START = "2026-02-11 10:00:00"
MAIN_TITLE = "QEX 2000 - TV1, Keskiviikko 11. Helmikuuta 2026"
# The channel list's second row, "Canal+", on the screen: the main window opens at its stored
# place in the top-left corner.
SECOND_CHANNEL = (45, 70)


def write_fixture(folder):
    data = os.path.join(folder, "Tiedot")
    os.makedirs(data)
    for code in ("01", "10"):
        with open(os.path.join(data, f"{code}-07.QEX"), "wb") as out:
            out.write(listing_file.week_file(code, datetime.date(2026, 2, 9), int(code)))
    settings = ("[Kanavat]\r\nK\u00e4yt\u00f6ss\u00e4=TV1;Canal+;\r\n[Muut]\r\nOletusN\u00e4kym\u00e4=Normaali\r\n"
                "[Ulkoasu]\r\nForm.X=0\r\nForm.Y=0\r\nForm.Leveys=700\r\nForm.Korkeus=620\r\n")
    with open(os.path.join(folder, "QEX.INI"), "wb") as out:
        out.write(cp1252(settings))


class ModalWindowsEndToEnd(DisplayTestCase):
    def setUp(self):
        self.folder = self.own_folder("modal")
        write_fixture(self.folder)
        self.program = Program(self.display, self.folder, fake_time=START)
        self.addCleanup(self.program.kill)
        self.window = self.program.wait_window("^QEX 2000 - TV1")
        self.program.wait_title(self.window, MAIN_TITLE)

    def click(self, x, y):
        self.program.xdotool("mousemove", str(x), str(y), "click", "1")
        time.sleep(0.5)

    def stacking(self):
        """Window ids from the bottom of the stack to its top, as the window manager keeps them."""
        out = subprocess.run(["xprop", "-root", "_NET_CLIENT_LIST_STACKING"], env=self.display.env(),
                             capture_output=True, text=True, timeout=10).stdout
        return [int(part.strip(), 16) for part in out.split("#", 1)[1].split(",")]

    def window_picture(self, window):
        """The window's pixels as raw PPM bytes."""
        return subprocess.run(["import", "-display", f":{self.display.number}", "-window", window, "ppm:-"],
                              capture_output=True, check=True, timeout=30).stdout

    def open_settings(self, *keys):
        self.program.key(self.window, *keys)
        dialog = self.program.wait_window("^Asetukset$")
        time.sleep(0.5)
        return dialog

    def close_settings(self, dialog):
        self.program.key(dialog, "Escape")
        deadline = time.monotonic() + 10
        while "Asetukset" in self.program.titles() and time.monotonic() < deadline:
            time.sleep(0.1)

    def test_a_click_on_the_main_window_under_the_settings_dialog_changes_nothing(self):
        dialog = self.open_settings("F5")
        self.shot("qex-settings-dialog.png")
        self.click(*SECOND_CHANNEL)
        self.assertEqual(self.program.title(self.window), MAIN_TITLE)
        stack = self.stacking()
        self.assertGreater(stack.index(int(dialog)), stack.index(int(self.window)))
        self.close_settings(dialog)
        # The same click, once the dialog is gone, does reach the channel list.
        self.click(*SECOND_CHANNEL)
        self.program.wait_title(self.window, "QEX 2000 - Canal+, Keskiviikko 11. Helmikuuta 2026")

    def test_each_settings_item_opens_its_own_page(self):
        pages = {}
        # "Yleiset..." (F5), then "Hälytys...", "Kanavat..." and "Väritys..." from the menu.
        for name, keys in (("general", ("F5",)), ("alarms", ("alt+a", "Down", "Return")),
                           ("channels", ("alt+a", "Down", "Down", "Return")),
                           ("colouring", ("alt+a", "Down", "Down", "Down", "Return"))):
            dialog = self.open_settings(*keys)
            pages[name] = self.window_picture(dialog)
            self.close_settings(dialog)
        self.assertEqual(len(set(pages.values())), 4)
        # The colouring page is the fourth tab: the same picture as Ctrl+Tab three times gives.
        dialog = self.open_settings("F5")
        self.program.key(dialog, "ctrl+Tab", "ctrl+Tab", "ctrl+Tab")
        time.sleep(0.5)
        by_tabs = self.window_picture(dialog)
        self.close_settings(dialog)
        self.assertEqual(pages["colouring"], by_tabs)

    def test_screenshots_of_the_chooser_and_the_about_box(self):
        self.program.key(self.window, "alt+o", "Down", "Return")
        about = self.program.wait_window("^Ohjelmasta$")
        time.sleep(0.5)
        self.shot("qex-about-box.png")
        self.program.key(about, "Return")
        # "Tulostus", left of "Asetukset": "Valitun päivän tiedot" opens the print chooser, a
        # dual-list chooser.
        self.program.key(self.window, "alt+a", "Left", "Return")
        time.sleep(2)
        self.shot("qex-dual-list-chooser.png")
        self.assertNotIn("qex", self.program.titles())

    def test_escape_closes_the_print_form(self):
        # "Hälytykset" of the "Tulostus" menu, left of "Asetukset", prepares the alarm list and
        # shows the print form.
        self.program.key(self.window, "alt+a", "Left", "Down", "Return")
        form = self.program.wait_window("^Tulostus$")
        time.sleep(0.5)
        self.shot("qex-print-form.png")
        self.program.key(form, "Escape")
        deadline = time.monotonic() + 10
        while "Tulostus" in self.program.titles() and time.monotonic() < deadline:
            time.sleep(0.1)
        self.assertNotIn("Tulostus", self.program.titles())
        self.assertEqual(self.program.title(self.window), MAIN_TITLE)


if __name__ == "__main__":
    unittest.main()
