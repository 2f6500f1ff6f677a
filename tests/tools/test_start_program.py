"""tools/start-program.sh (where ./run.sh ends) around a stand-in for the program: the sample data
server serves whenever the settings name no proxy, however the settings file spells its section
and keys; a proxy the user named is kept; the program gets the caller's locale; and a second start
while a copy runs leaves that copy's settings and server alone."""
import contextlib
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from harness import file_bytes as read, wait_for  # noqa: E402

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "start-program.sh")

# Stands in for the program: holds the folder's lock as the program does, asks the proxy its
# settings name for the version file as F7 would, notes the reply's status line, and runs until
# told to stop. A copy that finds the folder held ends at once, as the real one does.
STAND_IN = r'''#!/usr/bin/env python3
import fcntl, os, socket, sys, time
lock = open(".QEX.LCK", "a")
try:
    fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
except OSError:
    open("second-copy", "w").close()
    sys.exit(0)
with open("locale", "w") as out:
    out.write(os.environ.get("LC_ALL", "unset"))
settings = dict(line.split("=", 1) for line in open("QEX.INI", encoding="cp1252", newline="").read().split("\r\n") if "=" in line)
try:
    with socket.create_connection((settings.get("ProxyIP", ""), int(settings.get("ProxyPortti", "80"))), 10) as proxy:
        proxy.sendall(b"GET http://qex.example/qex/data/versio.txt HTTP/1.0\r\n\r\n")
        status = proxy.makefile("rb").readline().decode("latin-1").strip()
except (OSError, ValueError) as error:
    status = f"failed: {error}"
with open("fetched", "w") as out:
    out.write(status)
while not os.path.exists("stop"):
    time.sleep(0.05)
sys.exit(1)
'''

# As the settings dialog saves them after the defaults were restored: no proxy.
RESTORED = "[Ulkoasu]\r\nForm.X=0\r\n[Muut]\r\nProxyIP=\r\nProxyPortti=80\r\nKäynnistäPienennettynä=0\r\n"


class StartProgram(unittest.TestCase):
    def setUp(self):
        self.build = tempfile.mkdtemp(prefix="qex-start-program-")
        self.addCleanup(shutil.rmtree, self.build, True)
        self.folder = os.path.join(self.build, "bin")
        os.makedirs(self.folder)
        program = os.path.join(self.folder, "qex")
        with open(program, "w") as out:
            out.write(STAND_IN)
        os.chmod(program, 0o755)
        self.ini = os.path.join(self.folder, "QEX.INI")

    def start(self):
        # A display of some name: the stand-in needs none, and the script then doesn't make one.
        env = dict(os.environ, DISPLAY=":none")
        env.pop("LC_ALL", None)
        script = subprocess.Popen(["bash", SCRIPT, self.build], env=env, cwd=self.build,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, start_new_session=True)
        self.addCleanup(self.stop, script)
        return script

    def stop(self, script):
        open(os.path.join(self.folder, "stop"), "a").close()
        script.wait(timeout=60)
        script.stderr.close()
        os.remove(os.path.join(self.folder, "stop"))

    def port(self):
        settings = read(self.ini).decode("cp1252")
        return int(settings.split("ProxyPortti=", 1)[1].split("\r\n", 1)[0])

    def serves(self, port):
        try:
            socket.create_connection(("127.0.0.1", port), timeout=5).close()
            return True
        except OSError:
            return False

    def test_the_sample_server_serves_whenever_the_settings_name_no_proxy(self):
        cases = {"no settings yet": None,
                 "the defaults restored": RESTORED,
                 "no proxy line at all": "[Kanavat]\r\nKäytössä=TV1;\r\n",
                 "written by hand": "[ muut ]\r\n proxyip = \r\nKäynnistäPienennettynä=0\r\n[Kanavat]\r\nX=1\r\n"}
        for case, settings in cases.items():
            with self.subTest(case=case):
                if settings is None:
                    with contextlib.suppress(FileNotFoundError):
                        os.remove(self.ini)
                else:
                    with open(self.ini, "wb") as out:
                        out.write(settings.encode("cp1252"))
                script = self.start()
                fetched = os.path.join(self.folder, "fetched")
                status = wait_for(lambda: read(fetched), 60, "the stand-in's fetch").decode()
                self.assertTrue(status.startswith("HTTP/1.") and " 200 " in status + " ", status)
                text = read(self.ini).decode("cp1252")
                self.assertIn("ProxyIP=127.0.0.1\r\n", text)
                self.assertEqual(text.lower().count("proxyip"), 1, text)
                self.assertEqual(text.lower().count("muut"), 1, text)
                for line in (settings or "").split("\r\n"):
                    if line and not line.strip().lower().startswith("proxy"):
                        self.assertIn(line + "\r\n", text, "the other settings stay")
                port = self.port()
                self.stop(script)
                self.assertFalse(self.serves(port), "the server goes with the program")
                self.assertEqual(read(os.path.join(self.folder, "locale")), b"unset")
                os.remove(fetched)

    def test_a_proxy_the_user_named_is_kept_however_it_is_written(self):
        named = "[muut]\r\nproxyip = 10.0.0.9\r\nProxyPortti=8080\r\n".encode("cp1252")
        with open(self.ini, "wb") as out:
            out.write(named)
        self.start()
        wait_for(lambda: read(os.path.join(self.folder, "fetched")), 60, "the stand-in's fetch")
        self.assertEqual(read(self.ini), named)

    def test_a_second_start_leaves_the_running_copys_settings_and_server_alone(self):
        with open(self.ini, "wb") as out:
            out.write(RESTORED.encode("cp1252"))
        self.start()
        wait_for(lambda: read(os.path.join(self.folder, "fetched")), 60, "the first copy's fetch")
        settings = read(self.ini)
        port = self.port()

        second = subprocess.run(["bash", SCRIPT, self.build], env=dict(os.environ, DISPLAY=":none"),
                                capture_output=True, text=True, timeout=60)
        self.assertEqual(second.returncode, 0, second.stderr)
        self.assertTrue(os.path.exists(os.path.join(self.folder, "second-copy")), "the second copy ran")
        self.assertEqual(read(self.ini), settings)
        self.assertTrue(self.serves(port), "the running copy's server still serves")


if __name__ == "__main__":
    unittest.main()
