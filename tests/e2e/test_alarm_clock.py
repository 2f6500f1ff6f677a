"""The real program's alarm clock on a clock the test moves while it runs (Monday 7.12.2026, lead
time five minutes): a ten-minute jump fires the alarms that fell due in between and lists the one
whose programme began meanwhile; a missing sound file's warning box neither delays an alarm due
a few seconds later nor goes under the full-screen notice it warns about or the next alarm's
notice; the program killed as the first of six alarms due together shows its notice fires none of
them again when it starts anew."""
import os
import select
import signal
import stat
import subprocess
import time
import unittest

from harness import DisplayTestCase, MovableClock, Program, cp1252, file_bytes, wait_for

NORMAL = "#NRM #SHD:Normaali ilmoitus n\u00e4yt\u00f6lle "
FULL_SCREEN = "#NRM #SHD:Koko ruudun ilmoitus n\u00e4yt\u00f6lle "
EXTRAS_ONLY = "#NRM #SHD:Vain lis\u00e4asetukset "


def alarm(time_text, title, actions):
    return f"7.12.2026 (MA)\r\nTV1\r\n{time_text}\r\n{title}\r\n\r\nKuvaus.\r\n{actions}\r\n\r\n"


class WindowSpy:
    """Watches the window manager's client list, which changes as an event the moment the manager
    takes on a window: no polling gap between a window's appearing and the test's reaction."""

    def __init__(self, display):
        self.process = subprocess.Popen(["xprop", "-spy", "-root", "_NET_CLIENT_LIST"], env=display.env(),
                                        stdout=subprocess.PIPE)
        self.pending = b""
        self.count = self.next_count(20)

    def next_count(self, timeout):
        """The number of managed windows at the list's next change (the first call: as it is)."""
        deadline = time.monotonic() + timeout
        while b"\n" not in self.pending:
            ready, _, _ = select.select([self.process.stdout], [], [], max(0.0, deadline - time.monotonic()))
            if not ready:
                raise AssertionError("the window manager's client list did not change")
            chunk = os.read(self.process.stdout.fileno(), 4096)
            if not chunk:
                raise AssertionError("the window manager's client list can't be watched")
            self.pending += chunk
        line, self.pending = self.pending.split(b"\n", 1)
        return line.count(b"0x")

    def wait_for_a_new_window(self, timeout=20):
        deadline = time.monotonic() + timeout
        while True:
            count = self.next_count(max(0.0, deadline - time.monotonic()))
            if count > self.count:
                return
            self.count = count

    def stop(self):
        self.process.kill()
        self.process.wait(timeout=10)
        self.process.stdout.close()


class AlarmClockEndToEnd(DisplayTestCase):
    def setUp(self):
        self.folder = self.own_folder("clock")
        os.makedirs(os.path.join(self.folder, "Tiedot"))
        with open(os.path.join(self.folder, "QEX.INI"), "wb") as out:
            out.write(cp1252("[Kanavat]\r\nK\u00e4yt\u00f6ss\u00e4=TV1;MTV3;\r\n"))

    def launch(self, start, alarms):
        with open(os.path.join(self.folder, "QEX.ALS"), "wb") as out:
            out.write(cp1252("".join(alarms)))
        self.clock = MovableClock(self.folder, start)
        self.program = Program(self.display, self.folder, clock=self.clock)
        self.addCleanup(self.program.kill)
        self.program.wait_window("^QEX 2000")

    def launch_and_look(self, start, alarms):
        """Launches at `start` (19:40) with `alarms` and a marker alarm the first look fires, and
        waits until it has fired: a clock moved after this moves it under a running alarm clock."""
        marker = alarm("19:44", "Alussa", EXTRAS_ONLY + f'#EX:"{self.logger("first-look")}" ')
        self.launch(start, [marker, *alarms])
        self.runs_of("first-look", timeout=20)

    def script(self, name, command):
        """A program `name` for an alarm to start: a shell script that runs `command`."""
        path = os.path.join(self.folder, name)
        with open(path, "w") as out:
            out.write(f"#!/bin/sh\n{command}\n")
        os.chmod(path, os.stat(path).st_mode | stat.S_IXUSR)
        return path

    def logger(self, name):
        """A program for an alarm to start: it writes the (faked) moment it ran into `name`.log."""
        return self.script(name, f"date +%s >> '{os.path.join(self.folder, name)}.log'")

    def named_logger(self, name, log):
        """A program for an alarm to start: it appends `name` to the shared `log`."""
        return self.script(name, f"echo {name} >> '{log}'")

    def runs_of(self, name, timeout=10):
        path = os.path.join(self.folder, name + ".log")
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if os.path.exists(path):
                with open(path) as log:
                    moments = [int(line) for line in log.read().split()]
                if moments:
                    return moments
            time.sleep(0.1)
        self.fail(f"{name} never ran")

    def notices(self):
        return [title for title in self.program.titles() if title.startswith("TV1:")]

    def test_a_ten_minute_jump_fires_what_fell_due_and_lists_what_began(self):
        self.launch_and_look("2026-12-07 19:40:00",
                             [alarm("19:53", "Aamu", NORMAL), alarm("19:54", "Ilta", NORMAL),
                              alarm("19:47", "Alkanut", NORMAL), alarm("20:30", "My\u00f6hemmin", NORMAL)])
        self.assertEqual(self.notices(), [])
        self.clock.jump(600)
        self.program.wait_window("^TV1: 19:53 Aamu", timeout=10)
        self.program.wait_window("^TV1: 19:54 Ilta", timeout=10)
        missed = self.program.wait_window("^Info$", timeout=10)
        self.assertEqual(sorted(title.rstrip() for title in self.notices()),
                         ["TV1: 19:53 Aamu", "TV1: 19:54 Ilta"])
        self.program.key(missed, "Return")

    def test_the_notice_after_a_long_sleep_fits_the_screen(self):
        days = ["7.12.2026 (MA)", "8.12.2026 (TI)", "9.12.2026 (KE)"]
        rows = [f"{days[i // 40]}\r\nTV1\r\n{20 + i % 40 // 10}:{10 + i % 10}\r\nElokuvailta {i + 1}\r\n\r\n"
                f"Kuvaus.\r\n{NORMAL}\r\n\r\n" for i in range(120)]
        self.launch_and_look("2026-12-07 19:40:00", rows)
        # Four days on, as after a machine slept over a long weekend: all 120 were missed.
        self.clock.jump(4 * 24 * 3600)
        missed = self.program.wait_window("^Info$", timeout=15)
        wait_for(lambda: int(missed) in self.program.stacking(), 10, "the window manager to take the notice on")
        self.shot("qex-missed-after-long-sleep.png")
        left, top, right, bottom = self.program.frame(missed)
        self.assertGreaterEqual(left, 0)
        self.assertGreaterEqual(top, 0)
        self.assertLessEqual(right, 1280)
        self.assertLessEqual(bottom, 1024)
        self.assertEqual(self.notices(), [])
        self.program.key(missed, "Return")
        wait_for(lambda: not self.program.xdotool("search", "--onlyvisible", "--name", "^Info$", check=False),
                 10, "the notice to close")
        self.assertEqual(file_bytes(os.path.join(self.folder, "QEX.ALS")), b"")

    def test_a_warning_box_neither_delays_nor_hides_under_the_next_alarm(self):
        logger = self.logger("next-alarm")
        self.launch("2026-12-07 19:54:50",
                    [alarm("20:00", "\u00c4\u00e4ni", FULL_SCREEN + '#WV:"/nowhere/h\u00e4lytys.wav" '),
                     alarm("20:01", "Seuraava", NORMAL + f'#EX:"{logger}" ')])
        warning = self.program.wait_window("^Varoitus$", timeout=20)
        # The box stays open; the clock goes to five seconds before the next alarm's moment.
        due = MovableClock.moment("2026-12-07 19:56:00")
        self.clock.jump_to("2026-12-07 19:55:55")
        notice = self.program.wait_window("^TV1: 20:01 Seuraava", timeout=15)
        moments = self.runs_of("next-alarm")
        self.assertEqual(len(moments), 1)
        self.assertGreaterEqual(moments[0], due)
        self.assertLessEqual(moments[0] - due, 2, "the next alarm waited for the box")
        time.sleep(1)
        self.shot("qex-alarm-warning-above-notice.png")
        # Above the full-screen notice it warns about and the notice that opened after it.
        stacking = self.program.stacking()
        self.assertEqual(stacking[-1], int(warning), "a notice covers the warning box")
        self.assertIn(int(notice), stacking)

    def test_a_kill_as_the_first_of_several_notices_shows_fires_none_of_them_again(self):
        log = os.path.join(self.folder, "runs.log")
        together = [alarm("20:00", f"Yhdess\u00e4{i}", NORMAL + f'#EX:"{self.named_logger(f"together{i}", log)}" ')
                    for i in range(1, 7)]
        later = alarm("20:01", "My\u00f6hemmin", NORMAL + f'#EX:"{self.named_logger("later", log)}" ')
        self.launch("2026-12-07 19:54:50", together + [later])
        spy = WindowSpy(self.display)
        self.addCleanup(spy.stop)
        self.clock.jump_to("2026-12-07 19:54:59")
        # The only window that can come now is the first alarm's notice.
        spy.wait_for_a_new_window()
        os.killpg(self.program.process.pid, signal.SIGKILL)
        self.program.process.wait(timeout=10)
        self.assertEqual(file_bytes(os.path.join(self.folder, "QEX.ALS")), cp1252(later),
                         "alarms still in the file as the first of them showed its notice")

        # Started anew while the six programmes are still ahead: were they in the file, they would
        # fire at the first look, before the later alarm the clock is moved to.
        self.program = Program(self.display, self.folder, clock=self.clock)
        self.addCleanup(self.program.kill)
        self.program.wait_window("^QEX 2000")
        self.clock.jump_to("2026-12-07 19:55:58")
        self.program.wait_window("^TV1: 20:01 My", timeout=20)
        self.assertEqual([title.rstrip() for title in self.notices()], ["TV1: 20:01 My\u00f6hemmin"])

        def logged_runs():
            names = file_bytes(log).decode().split()
            return names if "later" in names else None
        runs = wait_for(logged_runs, 10, "the later alarm's program")
        self.assertEqual(len(runs), len(set(runs)), f"an alarm's program ran twice: {runs}")
        self.assertEqual(file_bytes(os.path.join(self.folder, "QEX.ALS")), b"")


if __name__ == "__main__":
    unittest.main()
