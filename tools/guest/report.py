#!/usr/bin/env python3
"""Reports what the guest's test run left (tools/guest/run-tests.sh) the way
CTest reports the 64-bit tests: one line per entry, the output of each failed
entry, and the names of the failed tests. Exits 0 only when every entry ran
and passed.

Usage: report.py TESTS-LIST RESULTS-DIR
"""
import sys
import xml.etree.ElementTree as ET
from pathlib import Path


def read_entries(listing):
    entries = []
    for line in Path(listing).read_text().splitlines():
        if line.strip():
            fields = line.split("\t")
            entries.append((fields[0], fields[1]))
    return entries


def gtest_report(path):
    """(tests run, names of failed tests), or None without a readable report."""
    try:
        root = ET.parse(path).getroot()
    except (OSError, ET.ParseError):
        return None
    run, failed = 0, []
    for case in root.iter("testcase"):
        if case.get("status", "run") != "run" or case.get("result") == "skipped":
            continue
        run += 1
        if case.find("failure") is not None:
            failed.append(f"{case.get('classname')}.{case.get('name')}")
    return run, failed


def judge(kind, name, results):
    """(passed, what to print after the time, names of failed tests)."""
    rc_file = results / f"{name}.rc"
    if not rc_file.exists():
        return False, "not run", [name]
    rc = rc_file.read_text().strip()
    parts = [f"{name}-Silent", f"{name}-Wizard"] if kind == "compare" else [name]
    run, failed = 0, []
    for part in parts:
        report = gtest_report(results / f"{part}.xml")
        if report is None:
            return False, f"exit {rc}, no test report", [name]
        run += report[0]
        failed += [f"{name}: {test}" for test in report[1]]
    expected = len(parts) if kind in ("scenario", "compare") else None
    if failed:
        return False, f"{len(failed)} of {run} tests failed", failed
    if expected is not None and run != expected:
        return False, f"{run} tests ran, {expected} expected", [name]
    if run == 0:
        return False, "no test ran", [name]
    if rc != "0":
        what = "timed out" if rc in ("124", "137") else f"exit {rc}"
        return False, f"{what} after its tests passed", [name]
    return True, f"{run} test{'s' if run != 1 else ''}", []


def main():
    listing, results = sys.argv[1], Path(sys.argv[2])
    entries = read_entries(listing)
    width = max(len(name) for _, name in entries) + 3
    total = len(entries)
    failures, failed_names, tests = [], [], 0
    for index, (kind, name) in enumerate(entries, 1):
        passed, note, names = judge(kind, name, results)
        seconds_file = results / f"{name}.seconds"
        seconds = float(seconds_file.read_text()) if seconds_file.exists() else 0.0
        verdict = "   Passed" if passed else "***Failed"
        dots = " " + "." * (width - len(name)) + " "
        print(f"{index:3}/{total} i686 {name}{dots}{verdict} {seconds:8.2f} sec  ({note})")
        if passed:
            tests += int(note.split()[0])
        else:
            failures.append(name)
            failed_names += names
    for name in failures:
        log = results / f"{name}.log"
        print(f"\n---- output of {name} ----")
        print(log.read_text(errors="replace") if log.exists() else "(none)")
    ok = total - len(failures)
    print(f"\n{100 * ok // total}% of the guest's entries passed, {len(failures)} failed "
          f"out of {total} ({tests} tests passed)")
    if failed_names:
        print("The following tests FAILED in the 32-bit guest:")
        for name in failed_names:
            print(f"\t{name}")
    return 0 if not failures else 1


if __name__ == "__main__":
    sys.exit(main())
