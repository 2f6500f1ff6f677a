"""Drives the real program as a user would: in a run folder of its own, on a virtual display
with a window manager, at a chosen date and time, pressing keys and reading window titles."""
import contextlib
import datetime
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest
import zoneinfo

BINARY = os.environ.get("QEX_BINARY", "build/bin/qex")
# What the program runs or loads from beside itself; a copy of the program takes them along.
SHIPPED = ("qex", "qex-browser", "libqex_media.so")
SOURCE = os.environ.get("QEX_SOURCE", os.getcwd())


def copy_program(folder):
    """Copies the program and what it runs or loads from beside itself into folder."""
    for name in SHIPPED:
        shutil.copy2(os.path.join(os.path.dirname(BINARY), name), os.path.join(folder, name))


def cp1252(text):
    return text.encode("cp1252")


def file_bytes(path):
    """The file's bytes, or b"" when there is none."""
    try:
        with open(path, "rb") as source:
            return source.read()
    except FileNotFoundError:
        return b""


def wait_for(condition, timeout, what):
    """The condition's first true value within `timeout` seconds; fails naming `what` otherwise."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.1)
    raise AssertionError(f"timed out waiting for {what}")


class Display:
    """An Xvfb display with openbox, for the life of a test class."""

    def __init__(self):
        self.number = None
        self.processes = []

    def start(self):
        for number in range(91, 140):
            if not os.path.exists(f"/tmp/.X11-unix/X{number}") and not os.path.exists(f"/tmp/.X{number}-lock"):
                break
        self.number = number
        xvfb = subprocess.Popen(["Xvfb", f":{number}", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(xvfb)
        deadline = time.monotonic() + 10
        while not os.path.exists(f"/tmp/.X11-unix/X{number}"):
            if time.monotonic() > deadline:
                raise RuntimeError("Xvfb did not start")
            time.sleep(0.05)
        wm = subprocess.Popen(["openbox"], env=self.env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(wm)
        time.sleep(0.5)
        return self

    def env(self):
        env = dict(os.environ)
        env["DISPLAY"] = f":{self.number}"
        env.pop("QT_QPA_PLATFORM", None)
        return env

    def window_manager_running(self):
        """True while the window manager started with the display still runs."""
        return self.processes[1].poll() is None

    def screenshot(self, path):
        """The whole screen as an image at `path`."""
        subprocess.run(["import", "-display", f":{self.number}", "-window", "root", path], check=True, timeout=30)

    def stop(self):
        for process in reversed(self.processes):
            process.terminate()
            with contextlib.suppress(subprocess.TimeoutExpired):
                process.wait(timeout=5)


class FolderTestCase(unittest.TestCase):
    """A test whose files all lie under one temporary folder of its own (own_folder): removed once
    the test has passed, kept and named on standard error when it failed or QEX_E2E_KEEP is set."""

    def run(self, result=None):
        self._own_folder = None
        if result is None:
            result = self.defaultTestResult()
        problems_before = len(result.failures) + len(result.errors)
        try:
            return super().run(result)
        finally:
            failed = len(result.failures) + len(result.errors) > problems_before
            self._leave_own_folder(failed)

    def own_folder(self, kind):
        """The test's folder, made on the first call; `kind` names it for a look after a failure."""
        if self._own_folder is None:
            self._own_folder = tempfile.mkdtemp(prefix=f"qex-e2e-{kind}-")
        return self._own_folder

    def shot_path(self, name):
        """Where a screenshot of this test goes."""
        return os.path.join(self.own_folder("shots"), name)

    def _leave_own_folder(self, failed):
        if self._own_folder is None:
            return
        if failed or os.environ.get("QEX_E2E_KEEP"):
            print(f"test files kept in {self._own_folder}", file=sys.stderr)
        else:
            shutil.rmtree(self._own_folder, ignore_errors=True)


class DisplayTestCase(FolderTestCase):
    """Test cases sharing one virtual display (self.display) for their class."""

    @classmethod
    def setUpClass(cls):
        cls.display = Display().start()

    @classmethod
    def tearDownClass(cls):
        cls.display.stop()

    def shot(self, name):
        """A screenshot of the display as `name` among the test's files, named on standard error for
        a look at it; its path."""
        path = self.shot_path(name)
        self.display.screenshot(path)
        print(f"screenshot: {path}", file=sys.stderr)
        return path


LIBFAKETIME = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1"
# File times stay real under a faked clock: with faked ones the font library finds every cache of
# the system's fonts out of date and writes them all again, holding their locks, so each start of
# the program under test (and of any other program meanwhile) waits up to a second; and a file
# written a moment ago would look settled to the program's own checks, which read the kernel's
# clock.
REAL_FILE_TIMES = {"NO_FAKE_STAT": "1"}


def clear_stale_faketime_files(shm="/dev/shm"):
    """The faketime wrapper names its semaphore and shared clock after its own pid and removes them
    only when its child ends; a wrapper killed with its group leaves them, and a later wrapper that
    gets the same pid refuses to start ("sem_open: File exists"). Remove those of dead pids only."""
    for name in os.listdir(shm) if os.path.isdir(shm) else ():
        for prefix in ("sem.faketime_sem_", "faketime_shm_"):
            pid = name[len(prefix):]
            if name.startswith(prefix) and pid.isdigit() and not os.path.exists(f"/proc/{pid}"):
                try:
                    os.unlink(os.path.join(shm, name))
                except OSError:
                    pass  # another run removed it first, or it isn't ours to remove


class MovableClock:
    """A faked clock that a test moves while the program runs: libfaketime reads its offset from
    real time out of a file at every call, and child processes share it through the environment."""

    def __init__(self, folder, start):
        self.path = os.path.join(folder, "faketime-offset")
        self.offset = round(self.moment(start) - time.time())
        self.write()

    @staticmethod
    def moment(local_text):
        """Unix seconds of a Helsinki time "yyyy-mm-dd hh:mm:ss"."""
        local = datetime.datetime.strptime(local_text, "%Y-%m-%d %H:%M:%S")
        return local.replace(tzinfo=zoneinfo.ZoneInfo("Europe/Helsinki")).timestamp()

    def now(self):
        return time.time() + self.offset

    def jump_to(self, local_text):
        self.jump(round(self.moment(local_text) - self.now()))

    def write(self):
        # Replaced whole, so that the program never reads a half-written offset.
        temporary = self.path + ".new"
        with open(temporary, "w") as out:
            out.write(f"{self.offset:+d}\n")
        os.replace(temporary, self.path)

    def jump(self, seconds):
        self.offset += seconds
        self.write()

    def env(self):
        return {"LD_PRELOAD": LIBFAKETIME, "FAKETIME_TIMESTAMP_FILE": self.path, "FAKETIME_NO_CACHE": "1",
                "FAKETIME_DONT_FAKE_MONOTONIC": "1", **REAL_FILE_TIMES}


class Program:
    """The program started from a run folder beside a copy of its executable; `fake_time` fixes
    the start of its clock, `clock` (a MovableClock) lets the test move it. A further copy on a
    folder where one runs takes `copy_binary=False`: the running executable can't be replaced.
    `wrapper` is a command that runs the rest (the program and its arguments) itself."""

    def __init__(self, display, folder, fake_time=None, args=(), preexec_fn=None, clock=None, copy_binary=True,
                 wrapper=()):
        self.display = display
        self.folder = folder
        if copy_binary:
            copy_program(folder)
        env = display.env()
        env["TZ"] = "Europe/Helsinki"
        self.runtime = tempfile.mkdtemp(prefix="qex-xdg-")
        os.chmod(self.runtime, 0o700)
        env["XDG_RUNTIME_DIR"] = self.runtime
        command = [os.path.join(folder, "qex"), *args]
        if fake_time:
            env["FAKETIME_DONT_FAKE_MONOTONIC"] = "1"
            env.update(REAL_FILE_TIMES)
            clear_stale_faketime_files()
            command = ["faketime", "-f", f"@{fake_time}", *command]
        command = [*wrapper, *command]
        if clock:
            env.update(clock.env())
        # Its output (and its browser helper's, which shares it) goes to a file: a pipe that nobody
        # reads stops whoever writes to it once it is full.
        self.output = tempfile.TemporaryFile()
        # A group of its own, so that killing it reaches the program under faketime too.
        self.process = subprocess.Popen(command, cwd=folder, env=env, start_new_session=True,
                                        stdout=self.output, stderr=subprocess.STDOUT, preexec_fn=preexec_fn)

    def output_text(self):
        """What the program has written so far."""
        self.output.seek(0)
        return self.output.read().decode("utf-8", "replace")

    def xdotool(self, *args, check=True):
        result = subprocess.run(["xdotool", *args], env=self.display.env(), capture_output=True, timeout=20)
        if check and result.returncode != 0:
            raise RuntimeError(f"xdotool {args} failed: {result.stderr!r}")
        return result.stdout.decode("utf-8", "replace").strip()

    def wait_window(self, name_part, timeout=20):
        """Id of the first visible window whose title contains name_part (UTF-8 text)."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                raise RuntimeError(f"program ended with {self.process.returncode}: {self.output_text()!r}")
            out = self.xdotool("search", "--onlyvisible", "--name", name_part, check=False)
            if out:
                return out.splitlines()[0]
            time.sleep(0.2)
        raise TimeoutError(f"no window titled like {name_part!r}; titles: {self.titles()}")

    def titles(self):
        ids = self.xdotool("search", "--onlyvisible", "--name", ".", check=False).splitlines()
        return [self.xdotool("getwindowname", i, check=False) for i in ids]

    def title(self, window):
        return self.xdotool("getwindowname", window)

    def wait_title(self, window, expected, timeout=10):
        """Waits until the window's title reads `expected`; fails with the title it last read."""
        deadline = time.monotonic() + timeout
        title = None
        while time.monotonic() < deadline:
            title = self.title(window)
            if title == expected:
                return
            time.sleep(0.1)
        raise AssertionError(f"the title {expected!r} never came; it is {title!r}")

    def key(self, window, *keys):
        """Types the keys into the window as a user would: the window is activated first and the
        keys go through the X server's test extension to whichever widget has the focus
        (events sent straight to a window id are synthetic, and a window may be re-created)."""
        self.xdotool("windowactivate", "--sync", window, check=False)
        time.sleep(0.2)
        for key in keys:
            self.xdotool("key", "--clearmodifiers", key)
            time.sleep(0.1)

    def frame(self, window):
        """The window's frame on the screen as (left, top, right, bottom), right and bottom
        exclusive: its position and size with the window manager's frame extents around it."""
        out = self.xdotool("getwindowgeometry", "--shell", window)
        values = {key: int(value) for key, value in (line.split("=", 1) for line in out.splitlines() if "=" in line)
                  if key in ("X", "Y", "WIDTH", "HEIGHT")}
        extents = subprocess.run(["xprop", "-id", window, "_NET_FRAME_EXTENTS"], env=self.display.env(),
                                 capture_output=True, timeout=20).stdout.decode()
        left = right = top = bottom = 0
        if "=" in extents:
            left, right, top, bottom = (int(part) for part in extents.split("=", 1)[1].split(","))
        return (values["X"] - left, values["Y"] - top, values["X"] + values["WIDTH"] + right,
                values["Y"] + values["HEIGHT"] + bottom)

    def stacking(self):
        """The program's and the window manager's managed windows, bottom to top, as X ids."""
        out = subprocess.run(["xprop", "-root", "_NET_CLIENT_LIST_STACKING"], env=self.display.env(),
                             capture_output=True, timeout=20, check=True).stdout.decode()
        return [int(part.strip().rstrip(","), 16) for part in out.split("#", 1)[1].split(",") if part.strip()]

    def screenshot(self, path):
        self.display.screenshot(path)

    def wait_exit(self, timeout=20):
        return self.process.wait(timeout=timeout)

    def kill(self):
        # faketime runs the program as its child and may be gone while the program is not.
        with contextlib.suppress(ProcessLookupError):
            os.killpg(self.process.pid, signal.SIGKILL)
        with contextlib.suppress(subprocess.TimeoutExpired):
            self.process.wait(timeout=10)
        self.remove_files()

    def remove_files(self):
        """The copy of the program is of no use for a look at a failure and is large: it goes
        once the program is gone. The run folder is the test's to keep or remove."""
        self.output.close()
        shutil.rmtree(self.runtime, ignore_errors=True)
        for name in SHIPPED:
            with contextlib.suppress(FileNotFoundError):
                os.remove(os.path.join(self.folder, name))
