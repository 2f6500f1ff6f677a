"""tools/start-data-server.sh as a developer meets it on the command line."""
import os
import subprocess
import tempfile
import unittest

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "start-data-server.sh")


class StartDataServerHelp(unittest.TestCase):
    def test_help_prints_the_usage_and_starts_nothing(self):
        with tempfile.TemporaryDirectory() as scratch:
            for flag in ("--help", "-h"):
                with self.subTest(flag=flag):
                    result = subprocess.run(["bash", SCRIPT, "--log", "x", flag], capture_output=True, text=True,
                                            env=dict(os.environ, TMPDIR=scratch), timeout=60)
                    self.assertEqual(result.returncode, 0, result.stderr)
                    self.assertIn("Usage: tools/start-data-server.sh", result.stdout)
                    self.assertIn("--pid-file", result.stdout, "the server's own options are listed")
                    self.assertEqual(result.stderr, "")
                    self.assertEqual(os.listdir(scratch), [], "nothing is left behind")


if __name__ == "__main__":
    unittest.main()
