#!/usr/bin/env python3
"""zetlint --format=sarif against the SARIF 2.1.0 schema kept in tests/data.

Usage: sarif_test.py SCHEMA FOLDER COMMAND...
  Runs COMMAND --format=sarif on sources written into FOLDER (the example's
  strip is expected there as bmp/plain.bmp) and validates the report with
  jsonschema (Debian's python3-jsonschema); then checks what a code-scanning
  service reads from it: levels, rules, places counted in characters.
"""
import json
import os
import subprocess
import sys

import jsonschema

SOURCE = (
    "[basis]\r\nversion=11\r\noutput=sarif.ztr\r\nBITMAP=bmp/plain.bmp\r\nFRAMEHEIGHT=32\r\n"
    "MESSAGE=表示\r\nFRAMES1=for 0 to 2; a: goto a;\r\nFRAMEHIEGHT=3\r\n"
    "[STOP]\r\nFRAMES1=表 0;\r\n"
).encode("cp932")


def main():
    schema_path, folder, command = sys.argv[1], sys.argv[2], sys.argv[3:]
    with open(os.path.join(folder, "sarif.zts"), "wb") as f:
        f.write(SOURCE)
    run = subprocess.run(command + ["--format=sarif", "sarif.zts", "missing.zts"], cwd=folder,
                         capture_output=True)
    assert run.returncode == 1, run
    report = json.loads(run.stdout.decode("utf-8"))
    with open(schema_path, encoding="utf-8") as f:
        schema = json.load(f)
    jsonschema.Draft4Validator.check_schema(schema)
    jsonschema.Draft4Validator(schema).validate(report)

    run_ = report["runs"][0]
    rules = [rule["id"] for rule in run_["tool"]["driver"]["rules"]]
    found = []
    for result in run_["results"]:
        assert rules[result["ruleIndex"]] == result["ruleId"], result
        place = result["locations"][0]["physicalLocation"]
        region = place.get("region", {})
        found.append((place["artifactLocation"]["uri"], region.get("startLine"),
                      region.get("startColumn"), result["level"], result["ruleId"]))
    expected = [
        ("sarif.zts", 7, 24, "error", "frameless-loop"),
        ("sarif.zts", 8, 1, "warning", "unknown-key"),
        # The frames error stands on "表", the value's first character.
        ("sarif.zts", 10, 9, "error", "compile"),
        ("missing.zts", None, None, "error", "compile"),
    ]
    assert found == expected, found
    texts = [result["message"]["text"] for result in run_["results"]]
    assert texts[2] == "[STOP] frames1 1文字目付近:文法エラーです。", texts[2]
    print("SARIF report valid: %d results" % len(found))


if __name__ == "__main__":
    main()
