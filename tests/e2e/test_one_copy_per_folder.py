"""One running copy per folder, and the alarm file kept as the list changes, on the real program
under a window manager on Monday 7.12.2026: an alarm added through the alarm dialog is in
"QEX.ALS" as soon as OK is pressed; a copy killed outright leaves the folder free for the next
start, which finds the alarm; a second copy started on the folder brings the running one's
minimised window forward and ends; the alarm fires and leaves "QEX.ALS" while the program runs.
A folder held by a copy that doesn't answer is told in a box; a copy still asking its first
questions answers, and its question comes forward. Another user's process that takes the socket
name anyone can work out from the folder keeps neither the program from starting nor a second copy
from bringing it forward. Another user's copy started on a folder open to both, while root's runs,
is told so in a box and ends, and root's alarms stay (the boxes' words are checked in
FolderGuardTest: a box's text can't be read from here). A copy that doesn't run ends with exit
code 2, one that brought the running copy forward with 0."""
import datetime
import os
import subprocess
import sys
import time
import unittest

from harness import DisplayTestCase, Program, SOURCE, cp1252, file_bytes, wait_for

sys.path.insert(0, os.path.join(SOURCE, "tools"))
import listing_file  # noqa: E402

MONDAY = [("19:00", "Iltauutiset", "Uutiset."), ("20:00", "Uutiset", "P\u00e4iv\u00e4n uutiset."),
          ("21:00", "Elokuva", "Sotaelokuva.")]
TITLE = "QEX 2000 - TV1, Maanantai 7. Joulukuuta 2026"
SECOND_PROGRAMME = (160, 110)
# Listens on an abstract socket name and answers every caller as a running copy would.
SQUATTER = """
import socket, sys
listener = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
listener.bind("\\0" + sys.argv[1])
listener.listen(8)
print("ready", flush=True)
while True:
    caller, _ = listener.accept()
    caller.sendall(b"Y")
    caller.close()
"""


def write_fixture(folder):
    data = os.path.join(folder, "Tiedot")
    os.makedirs(data)
    with open(os.path.join(data, "01-50.QEX"), "wb") as out:
        out.write(listing_file.chosen_week_file("01", datetime.date(2026, 12, 7), [MONDAY]))
    settings = ("[Kanavat]\r\nK\u00e4yt\u00f6ss\u00e4=TV1;\r\n[Muut]\r\nOletusN\u00e4kym\u00e4=Normaali\r\n"
                "[Ulkoasu]\r\nForm.X=0\r\nForm.Y=0\r\nForm.Leveys=700\r\nForm.Korkeus=620\r\n"
                "[H\u00e4lytys]\r\nTyyppi=Normaali ilmoitus n\u00e4yt\u00f6lle\r\nPCSpeakerK\u00e4yt\u00f6ss\u00e4=0\r\n")
    with open(os.path.join(folder, "QEX.INI"), "wb") as out:
        out.write(cp1252(settings))


class OneCopyPerFolderEndToEnd(DisplayTestCase):
    def setUp(self):
        self.folder = self.own_folder("one-copy")
        write_fixture(self.folder)

    def start(self, fake_time, copy_binary=True):
        program = Program(self.display, self.folder, fake_time=fake_time, copy_binary=copy_binary)
        self.addCleanup(program.kill)
        return program

    def alarm_file(self):
        return file_bytes(os.path.join(self.folder, "QEX.ALS"))

    def shot(self, program, name):
        path = self.shot_path(name)
        program.screenshot(path)
        print(f"screenshot: {path}", file=sys.stderr)

    def window_state(self, program, window):
        return subprocess.run(["xprop", "-id", window, "_NET_WM_STATE"], env=self.display.env(),
                              capture_output=True, text=True, timeout=20).stdout

    def second_copy_brings_forward(self, program, window, fake_time, shot_name):
        program.xdotool("windowminimize", "--sync", window)
        wait_for(lambda: "_NET_WM_STATE_HIDDEN" in self.window_state(program, window), 20,
                 "the window minimised")
        second = self.start(fake_time, copy_binary=False)
        self.assertEqual(second.wait_exit(timeout=20), 0)
        wait_for(lambda: "_NET_WM_STATE_HIDDEN" not in self.window_state(program, window), 20,
                 "the first copy's window back from the taskbar")
        wait_for(lambda: program.xdotool("getactivewindow", check=False) == window, 20,
                 "the first copy's window active")
        time.sleep(1)  # the window manager's restore animation ends
        self.shot(program, shot_name)
        self.assertEqual(len([title for title in program.titles() if title.startswith("QEX 2000")]), 1)

    def start_and_add_alarm(self, fake_time):
        """A copy started at `fake_time` with its alarm added: the program, its window, QEX.ALS."""
        program = self.start(fake_time)
        window = program.wait_window("^QEX 2000 - TV1")
        program.wait_title(window, TITLE)
        return program, window, self.add_alarm(program, window)

    def add_alarm(self, program, window):
        """Adds the alarm of 20:00 Uutiset through the dialog; QEX.ALS as it then is."""
        # The window opens at its stored place in the top-left corner: a click on the programme
        # list's second row, 20:00 Uutiset, then its alarm through the dialog.
        program.xdotool("windowactivate", "--sync", window, check=False)
        program.xdotool("mousemove", "--sync", str(SECOND_PROGRAMME[0]), str(SECOND_PROGRAMME[1]), "click", "1")
        time.sleep(0.5)
        program.key(window, "shift+Insert")
        dialog = program.wait_window("^H\u00e4lytys$")
        program.key(dialog, "Return")
        wait_for(lambda: b"Uutiset" in self.alarm_file(), 20, "the new alarm in QEX.ALS")
        self.assertIn(cp1252("7.12.2026 (MA)\r\nTV1\r\n20:00\r\nUutiset\r\n"), self.alarm_file())
        return self.alarm_file()

    def test_a_second_copy_brings_the_first_forward_and_every_alarm_change_is_on_disk(self):
        first, window, added = self.start_and_add_alarm("2026-12-07 19:50:00")

        # Killed outright: its lock goes with it, and the next start finds the alarm.
        first.kill()
        program = self.start("2026-12-07 19:54:45")
        window = program.wait_window("^QEX 2000 - TV1")
        self.assertEqual(self.alarm_file(), added)

        self.second_copy_brings_forward(program, window, "2026-12-07 19:54:50", "qex-first-copy-forward.png")

        # 19:55:00: the alarm fires and leaves the file while the program runs.
        wait_for(lambda: b"Uutiset" not in self.alarm_file(), 30, "the fired alarm out of QEX.ALS")
        self.assertEqual(program.process.poll(), None)
        program.key(window, "alt+F4")
        self.assertEqual(program.wait_exit(), 1)
        self.assertNotIn(b"Uutiset", self.alarm_file())

    def test_a_copy_that_holds_the_folder_without_answering_is_told_in_a_box(self):
        # A holder of the lock that never listens, as a hung copy would be.
        holder = subprocess.Popen(["flock", os.path.join(self.folder, ".QEX.LCK"), "sleep", "120"])
        self.addCleanup(holder.wait)
        self.addCleanup(holder.kill)
        time.sleep(0.5)
        program = self.start("2026-12-07 19:50:00")
        box = program.wait_window("^Varoitus$", timeout=30)
        self.shot(program, "qex-folder-in-use.png")
        self.assertFalse([title for title in program.titles() if title.startswith("QEX 2000")])
        program.key(box, "Return")
        self.assertEqual(program.wait_exit(), 2)

    @unittest.skipUnless(os.geteuid() == 0, "runs a process as another user, which needs root")
    def test_another_users_process_on_the_folders_socket_name_neither_stops_nor_hides_the_program(self):
        info = os.stat(self.folder)
        name = f".QEX.LCK-{os.getuid()}-{info.st_dev}-{info.st_ino}"
        squatter = subprocess.Popen(["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups",
                                     sys.executable, "-c", SQUATTER, name], stdout=subprocess.PIPE, text=True)
        self.addCleanup(squatter.stdout.close)
        self.addCleanup(squatter.wait)
        self.addCleanup(squatter.kill)
        self.assertEqual(squatter.stdout.readline().strip(), "ready")
        program = self.start("2026-12-07 19:50:00")
        window = program.wait_window("^QEX 2000 - TV1", timeout=30)
        program.wait_title(window, TITLE)
        self.second_copy_brings_forward(program, window, "2026-12-07 19:50:10", "qex-forward-past-other-user.png")
        self.assertEqual(squatter.poll(), None)

    @unittest.skipUnless(os.geteuid() == 0, "runs a process as another user, which needs root")
    def test_another_users_copy_in_a_shared_folder_is_told_whose_copy_runs_and_ends(self):
        # A folder every user may write: root's copy holds its lock file, which the other user
        # may only read.
        os.chmod(self.folder, 0o777)
        first, window, added = self.start_and_add_alarm("2026-12-07 19:50:00")
        other = Program(self.display, self.folder, fake_time="2026-12-07 19:50:10", copy_binary=False,
                        wrapper=("setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"))
        self.addCleanup(other.kill)
        box = other.wait_window("^Varoitus$", timeout=30)
        self.shot(other, "qex-another-users-copy.png")
        self.assertEqual(len([title for title in other.titles() if title.startswith("QEX 2000")]), 1)
        other.key(box, "Return")
        self.assertEqual(other.wait_exit(), 2)
        self.assertEqual(self.alarm_file(), added)
        first.key(window, "alt+F4")
        self.assertEqual(first.wait_exit(), 1)
        self.assertIn(b"Uutiset", self.alarm_file())
        self.assertEqual(os.stat(os.path.join(self.folder, "QEX.ALS")).st_uid, 0)

    def test_a_copy_still_asking_its_first_questions_answers_a_second_copy(self):
        # No settings file: the first copy's start-up stops at its first-run box, before its main
        # window exists.
        os.remove(os.path.join(self.folder, "QEX.INI"))
        first = self.start("2026-12-07 19:50:00")
        box = first.wait_window("^Info$", timeout=30)
        self.shot(first, "qex-first-run-box.png")
        second = self.start("2026-12-07 19:50:05", copy_binary=False)
        # Answered at once: the unanswered copy's wait is 10 s, and it would then show its own box.
        self.assertEqual(second.wait_exit(timeout=8), 0)
        self.assertFalse([title for title in first.titles() if title == "Varoitus"])
        wait_for(lambda: first.xdotool("getactivewindow", check=False) == box, 20, "the first-run box active")
        self.assertEqual(first.process.poll(), None)


if __name__ == "__main__":
    unittest.main()
