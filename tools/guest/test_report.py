#!/usr/bin/env python3
"""Tests of how the 32-bit stage judges what its guest left: a run that
passed must be told from one that ran nothing, ran too few tests, was cut
off, or never started.

Run: python3 tools/guest/test_report.py
"""
import contextlib
import io
import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import report  # noqa: E402


def gtest_xml(passed=(), failed=(), disabled=()):
    cases = [f'<testcase name="{n}" status="run" result="completed" classname="S"/>'
             for n in passed]
    cases += [f'<testcase name="{n}" status="run" result="completed" classname="S">'
              f'<failure message="x"/></testcase>' for n in failed]
    cases += [f'<testcase name="{n}" status="notrun" result="suppressed" classname="S"/>'
              for n in disabled]
    return f'<testsuites><testsuite name="S">{"".join(cases)}</testsuite></testsuites>'


class Judge(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.results = Path(self.dir.name)

    def tearDown(self):
        self.dir.cleanup()

    def leave(self, name, rc=0, xml=None):
        (self.results / f"{name}.rc").write_text(f"{rc}\n")
        if xml is not None:
            (self.results / f"{name}.xml").write_text(xml)

    def judge(self, kind, name):
        return report.judge(kind, name, self.results)

    def test_program_outcomes(self):
        self.leave("ok", xml=gtest_xml(passed=["A", "B"], disabled=["C"]))
        self.assertEqual((True, "2 tests", []), self.judge("program", "ok"))

        self.leave("bad", rc=1, xml=gtest_xml(passed=["A"], failed=["B"]))
        self.assertEqual((False, "1 of 2 tests failed", ["bad: S.B"]), self.judge("program", "bad"))

        self.leave("empty", xml=gtest_xml())
        self.assertFalse(self.judge("program", "empty")[0])

        # Crashed on its way out, or killed by the time limit, after passing.
        self.leave("crash", rc=5, xml=gtest_xml(passed=["A"]))
        self.assertEqual((False, "exit 5 after its tests passed", ["crash"]),
                         self.judge("program", "crash"))
        self.leave("slow", rc=124, xml=gtest_xml(passed=["A"]))
        self.assertIn("timed out", self.judge("program", "slow")[1])

    def test_missing_or_broken_reports(self):
        self.assertEqual((False, "not run", ["never"]), self.judge("program", "never"))
        self.leave("noxml", rc=139)
        self.assertEqual((False, "exit 139, no test report", ["noxml"]),
                         self.judge("program", "noxml"))
        self.leave("cut", xml="<testsuites><testsuite")
        self.assertFalse(self.judge("program", "cut")[0])

    def test_scenario_runs_exactly_one_test(self):
        self.leave("one", xml=gtest_xml(passed=["A"]))
        self.assertTrue(self.judge("scenario", "one")[0])
        # A filter that matched nothing, or more than the scenario.
        self.leave("none", xml=gtest_xml())
        self.assertFalse(self.judge("scenario", "none")[0])
        self.leave("two", xml=gtest_xml(passed=["A", "B"]))
        self.assertEqual("2 tests ran, 1 expected", self.judge("scenario", "two")[1])

    def test_compare_needs_both_installs_and_no_difference(self):
        for way in ("Silent", "Wizard"):
            (self.results / f"same-{way}.xml").write_text(gtest_xml(passed=["A"]))
        self.leave("same")
        self.assertTrue(self.judge("compare", "same")[0])
        # The states differed: the runner's own exit code says so.
        self.leave("same", rc=1)
        self.assertFalse(self.judge("compare", "same")[0])
        (self.results / "same-Wizard.xml").unlink()
        self.leave("same")
        self.assertFalse(self.judge("compare", "same")[0])


class Main(unittest.TestCase):
    def test_exit_status_and_failed_names(self):
        with tempfile.TemporaryDirectory() as folder:
            results = Path(folder)
            (results / "a.rc").write_text("0")
            (results / "a.xml").write_text(gtest_xml(passed=["A"]))
            (results / "b.rc").write_text("1")
            (results / "b.xml").write_text(gtest_xml(failed=["B"]))
            (results / "b.log").write_text("the output of b\n")
            listing = results / "tests.txt"
            listing.write_text("program\ta\tZ:/a.exe\t*\nscenario\tb\tZ:/e.exe\tb\n")
            out = io.StringIO()
            sys.argv = ["report.py", str(listing), str(results)]
            with contextlib.redirect_stdout(out):
                status = report.main()
            self.assertEqual(1, status)
            text = out.getvalue()
            self.assertIn("i686 a", text)
            self.assertIn("the output of b", text)
            self.assertIn("\tb: S.B", text)
            (results / "b.rc").write_text("0")
            (results / "b.xml").write_text(gtest_xml(passed=["B"]))
            with contextlib.redirect_stdout(io.StringIO()):
                self.assertEqual(0, report.main())


if __name__ == "__main__":
    unittest.main()
