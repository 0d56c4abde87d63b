#!/usr/bin/python3
"""Runs the Wine tests of one built Windows tree with its programs declared
unable to run, as on a machine whose kernel runs no 32-bit code: every test
must come out skipped with the one reason, none failed, and the session's end
must leave the tree able to run again.

Usage: skip_path_test.py BUILD_TREE
"""
import json
import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

REASON = "Windows programs cannot run on this machine"


def wine_tests_of(tree):
    """The names of the tests that need the Wine session, and of its start."""
    listing = subprocess.run(["ctest", "--test-dir", tree, "--show-only=json-v1"],
                             capture_output=True, text=True, check=True)
    names = set()
    for test in json.loads(listing.stdout)["tests"]:
        properties = {p["name"]: p["value"] for p in test.get("properties", [])}
        if "wine" in (properties.get("FIXTURES_REQUIRED", []) +
                      properties.get("FIXTURES_SETUP", [])):
            names.add(test["name"])
    return names


def run_declared_unable(tree, report):
    environment = dict(os.environ, ZET_WINE_UNABLE="skip-path test")
    return subprocess.run(["ctest", "--test-dir", tree, "--output-junit", report],
                          env=environment, capture_output=True, text=True)


def faults_of(cases, wine_tests):
    """Tests that start no Windows program, and the session's end, still pass."""
    faults = []
    for case in cases:
        name = case.get("name")
        output = "".join(case.itertext())
        if name not in wine_tests:
            if case.get("status") != "run":
                faults.append(f"{name}: {case.get('status')}, expected run")
        elif case.find("skipped") is None:
            faults.append(f"{name}: {case.get('status')}, expected skipped")
        elif REASON not in output:
            faults.append(f"{name}: skipped without the reason \"{REASON}\"")
    return faults


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    tree = os.path.abspath(sys.argv[1])
    wine_tests = wine_tests_of(tree)
    with tempfile.TemporaryDirectory() as folder:
        report = os.path.join(folder, "junit.xml")
        done = run_declared_unable(tree, report)
        if not os.path.exists(report):
            sys.exit(f"ctest wrote no report (status {done.returncode}):\n{done.stdout}{done.stderr}")
        cases = ElementTree.parse(report).getroot().iter("testcase")
        cases = list(cases)
    faults = faults_of(cases, wine_tests)
    if done.returncode != 0:
        faults.append(f"ctest ended with status {done.returncode}")
    if os.path.exists(os.path.join(tree, "wine", "cannot-run")):
        faults.append("the declaration outlived the session: wine/cannot-run is still there")
    if len(wine_tests) < 2:
        faults.append(f"{tree} has no Wine tests: is it a built Windows tree?")
    for fault in faults:
        print(fault)
    if faults:
        print(done.stdout[-4000:])
        sys.exit(1)
    print(f"{len(wine_tests)} Wine tests of {tree} skipped with the reason, none failed")


if __name__ == "__main__":
    main()
