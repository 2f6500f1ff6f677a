"""Window places under a real window manager, which frames a window only after it is shown and
gives a maximised window another frame than a normal one: a form closed while maximised comes
back to the same normal place run after run, and size limits set before the frame arrived still
hold after it, against a resize asked for by another program."""
import os
import shutil
import subprocess
import tempfile

from harness import SOURCE, DisplayTestCase

GEOMETRY_TESTS = os.environ.get("QEX_GEOMETRY_TESTS", os.path.join(SOURCE, "build", "tests", "geometry_tests"))


class WindowPlacesTest(DisplayTestCase):
    def run_geometry_tests(self, pattern, count, platform=None):
        env = self.display.env()
        if platform:
            env["QEX_TEST_PLATFORM"] = platform
        runtime = tempfile.mkdtemp(prefix="qex-xdg-")
        os.chmod(runtime, 0o700)
        env["XDG_RUNTIME_DIR"] = runtime
        try:
            result = subprocess.run(
                [GEOMETRY_TESTS, f"--gtest_filter={pattern}"],
                env=env, capture_output=True, timeout=120)
        finally:
            shutil.rmtree(runtime, ignore_errors=True)
        output = result.stdout.decode("utf-8", "replace")
        self.assertEqual(result.returncode, 0, output[-3000:])
        self.assertIn(f"[  PASSED  ] {count} test", output, output[-3000:])

    def test_a_form_closed_maximised_keeps_its_normal_place(self):
        self.run_geometry_tests("WindowGeometryTest.AFormClosedMaximised*", 1)

    def test_size_limits_hold_once_the_window_manager_has_framed_the_form(self):
        self.run_geometry_tests("WindowManagerLimitsTest.*", 4, platform="xcb")
