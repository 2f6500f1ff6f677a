"""The real program's table view and the Tab key: from the information pane, Tab reaches the
page at its first link; Tab walks the programmes' links (never an empty cell's), and past the
last one the focus leaves the page instead of starting over; Shift+Tab comes back to the last
link, walks back to the first, and past it leaves the page too. The engine's focus ring on the
screenshots tells where the focus is."""
import os
import time

from harness import DisplayTestCase, Program
from test_views_and_search import pixels_of, screenshot_of_table, write_fixture

RING = (229, 151, 0)  # the engine's focus ring around a focused link
LINKS = 8  # programmes on the fixture's day; row 1 of Canal+ is an empty cell with a link


class TableTabEndToEnd(DisplayTestCase):
    def setUp(self):
        self.folder = self.own_folder("tab")
        write_fixture(self.folder)
        os.remove(os.path.join(self.folder, "QEX.ALS"))
        self.program = Program(self.display, self.folder, fake_time="2026-02-11 10:00:00")
        self.addCleanup(self.program.kill)
        self.window = self.program.wait_window("^QEX 2000 - Keskiviikko")
        self.shots = 0

    def ring(self):
        """The focus ring's bounds on the screen (left, top, right, bottom), or None."""
        self.shots += 1
        shot = self.shot_path(f"tab-{self.shots:02}.png")
        self.program.screenshot(shot)
        found = pixels_of(shot, RING)
        if not found:
            return None
        xs, ys = [x for x, _ in found], [y for _, y in found]
        return min(xs), min(ys), max(xs), max(ys)

    def press(self, key, before):
        """Presses the key and returns where the ring went, once it has moved from `before`."""
        self.program.key(self.window, key)
        deadline = time.monotonic() + 10
        now = self.ring()
        while now == before and time.monotonic() < deadline:
            time.sleep(0.2)
            now = self.ring()
        return now

    def walk(self, key, ring):
        """The rings from `ring` on while the key moves it through the page, until it leaves the
        page; None when it is still there after more steps than the page has links."""
        rings = [ring]
        for _ in range(LINKS + 2):
            ring = self.press(key, ring)
            if ring is None:
                return rings
            rings.append(ring)
        return None

    def test_tab_walks_the_links_between_the_windows_controls(self):
        program = self.program
        screenshot_of_table(program, self.shot_path("tab-table.png"))
        frame = program.frame(self.window)
        # The information pane lies under the table, across the bottom of the window.
        program.xdotool("mousemove", "--sync", str(frame[0] + 300), str(frame[3] - 90))
        program.xdotool("click", "1")
        self.assertIsNone(self.ring())

        ring = None
        for _ in range(6):  # past the window's controls between the pane and the page
            program.key(self.window, "Tab")
            deadline = time.monotonic() + 4  # the page draws its ring a moment after
            while not ring and time.monotonic() < deadline:
                ring = self.ring()
            if ring:
                break
        self.assertIsNotNone(ring, "Tab never reached the page")
        forward = self.walk("Tab", ring)
        self.assertIsNotNone(forward, "Tab past the last link stayed in the page")
        self.assertEqual(len(forward), LINKS, f"Tab stopped at {len(forward)} places: {forward}")
        self.assertEqual(min(forward, key=lambda box: box[1]), forward[0], "Tab entered below the first link")
        self.assertEqual(max(forward, key=lambda box: box[1]), forward[-1], "the last stop is not the last link")

        ring = self.press("shift+Tab", None)
        self.assertEqual(ring, forward[-1], "Shift+Tab into the page missed its last link")
        backward = self.walk("shift+Tab", ring)
        self.assertIsNotNone(backward, "Shift+Tab before the first link stayed in the page")
        self.assertEqual(backward, forward[::-1])


if __name__ == "__main__":
    import unittest
    unittest.main()
