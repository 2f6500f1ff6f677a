"""Window places under a real window manager, which frames a window only after it is shown and
gives a maximised window another frame than a normal one: a form closed while maximised comes
back to the same normal place run after run."""
import os
import shutil
import subprocess
import tempfile

from harness import SOURCE, DisplayTestCase

GEOMETRY_TESTS = os.environ.get("QEX_GEOMETRY_TESTS", os.path.join(SOURCE, "build", "tests", "geometry_tests"))


class WindowPlacesTest(DisplayTestCase):
    def test_a_form_closed_maximised_keeps_its_normal_place(self):
        env = self.display.env()
        runtime = tempfile.mkdtemp(prefix="qex-xdg-")
        os.chmod(runtime, 0o700)
        env["XDG_RUNTIME_DIR"] = runtime
        try:
            result = subprocess.run(
                [GEOMETRY_TESTS, "--gtest_filter=WindowGeometryTest.AFormClosedMaximised*"],
                env=env, capture_output=True, timeout=120)
        finally:
            shutil.rmtree(runtime, ignore_errors=True)
        output = result.stdout.decode("utf-8", "replace")
        self.assertEqual(result.returncode, 0, output[-3000:])
        self.assertIn("[  PASSED  ] 1 test", output)
