#!/usr/bin/env python3
"""Counts the test cases of one ctest run.

    count_test_results.py BUILD_DIR --junit CTEST_JUNIT.xml
    count_test_results.py BUILD_DIR --skipped --cases-from OTHER_BUILD_DIR

A ctest test that runs a whole GoogleTest program (cross builds, one Wine process per program)
names its results file in its command (--gtest_output=xml:...); such a test counts as the cases
in that file. Every other ctest test is one case. With --skipped nothing ran: every test counts as
skipped, a program with as many cases as the same-named test ran in OTHER_BUILD_DIR (the same
sources built for another target), or one where that has no results.

Prints the failed and skipped names, then a last line "PASSED FAILED SKIPPED".
"""
import argparse
import json
import os
import subprocess
import sys
import xml.etree.ElementTree as ElementTree
from collections import Counter

OUTPUT_FLAG = "--gtest_output=xml:"


def results_files(build_dir):
    """Maps each ctest test name to the GoogleTest results file its command names, or None."""
    listing = subprocess.run(["ctest", "--test-dir", build_dir, "--show-only=json-v1"],
                             check=True, capture_output=True, text=True).stdout
    files = {}
    for test in json.loads(listing)["tests"]:
        path = None
        for argument in test.get("command", []):
            if argument.startswith(OUTPUT_FLAG):
                path = argument[len(OUTPUT_FLAG):]
                if path.startswith("Z:"):  # Wine's drive for the Unix root
                    path = path[2:]
        files[test["name"]] = path
    return files


def gtest_cases(path):
    """(name, outcome) of every case in a GoogleTest XML file; outcome is pass, fail or skip."""
    cases = []
    for case in ElementTree.parse(path).getroot().iter("testcase"):
        name = f'{case.get("classname")}.{case.get("name")}'
        if case.find("failure") is not None:
            cases.append((name, "fail"))
        elif case.get("result") == "skipped" or case.get("status") == "notrun":
            cases.append((name, "skip"))
        else:
            cases.append((name, "pass"))
    return cases


def ctest_outcomes(junit_path):
    """(name, outcome) of every ctest test in ctest's JUnit file."""
    outcomes = []
    for case in ElementTree.parse(junit_path).getroot().iter("testcase"):
        status = case.get("status")
        outcome = "pass" if status == "run" else "skip" if status in ("notrun", "disabled") else "fail"
        outcomes.append((case.get("name"), outcome))
    return outcomes


def count_run(build_dir, junit_path):
    files = results_files(build_dir)
    cases = []
    for test, outcome in ctest_outcomes(junit_path):
        path = files.get(test)
        if path is None:
            cases.append((test, outcome))
            continue
        if not os.path.exists(path):
            cases.append((test + " (wrote no results)", "fail" if outcome != "skip" else "skip"))
            continue
        program_cases = gtest_cases(path)
        if outcome == "skip":
            # The program skipped as a whole (a kernel this processor lacks, say), which
            # GoogleTest's file does not record: its cases count as skipped.
            program_cases = [(name, "skip") for name, _ in program_cases]
        cases += [(f"{test}: {name}", result) for name, result in program_cases]
        # A program that failed although each of its cases passed (a crash while exiting, say).
        if outcome == "fail" and all(result != "fail" for _, result in program_cases):
            cases.append((test + " (the program failed)", "fail"))
    return cases


def count_skipped(build_dir, other_dir):
    other_files = results_files(other_dir)
    cases = []
    for test in results_files(build_dir):
        other = other_files.get(test)
        count = len(gtest_cases(other)) if other and os.path.exists(other) else 1
        cases += [(test, "skip")] * count
    return cases


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build_dir")
    parser.add_argument("--junit")
    parser.add_argument("--skipped", action="store_true")
    parser.add_argument("--cases-from")
    options = parser.parse_args()
    if options.skipped:
        cases = count_skipped(options.build_dir, options.cases_from or options.build_dir)
    elif options.junit:
        cases = count_run(options.build_dir, options.junit)
    else:
        parser.error("give --junit FILE or --skipped")

    totals = {"pass": 0, "fail": 0, "skip": 0}
    for name, outcome in cases:
        totals[outcome] += 1
        if outcome == "fail":
            print(f"  FAILED  {name}")
    skipped_groups = Counter(".".join(name.split(".")[:2]) for name, outcome in cases if outcome == "skip")
    if skipped_groups and not options.skipped:
        print("  skipped: " + ", ".join(f"{group}.* ({count})" for group, count in sorted(skipped_groups.items())))
    print(totals["pass"], totals["fail"], totals["skip"])


if __name__ == "__main__":
    sys.exit(main())
