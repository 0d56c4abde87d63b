#!/usr/bin/env python3
"""Checks the sources of a user guide: each ```zts block is written as
example.zts (Shift-JIS, CR LF) into a fresh folder holding the example's
strips and compiled with zetcomp there; its log must equal the ```log block
that follows it. The files of the example's C program (which a test builds and
runs against the installed library) must each stand in the guide as one block,
byte for byte.

Usage: check_guide.py GUIDE.md ZETCOMP EXAMPLES_DIR"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

BLOCK = re.compile(r"```zts\n(.*?)```\s*```log\n(.*?)```", re.S)
ANY_BLOCK = re.compile(r"```[a-z]*\n(.*?)```", re.S)
SHOWN = ["runtime/hello.c", "runtime/CMakeLists.txt"]


def main():
    guide, zetcomp, examples = sys.argv[1:4]
    with open(guide, encoding="utf-8") as f:
        text = f.read()
    cases = BLOCK.findall(text)
    if not cases:
        print("%s: no source with its log" % guide)
        return 1
    failures = 0
    for number, (source, log) in enumerate(cases, 1):
        with tempfile.TemporaryDirectory() as work:
            shutil.copytree(os.path.join(examples, "bmp"), os.path.join(work, "bmp"))
            with open(os.path.join(work, "example.zts"), "wb") as f:
                f.write(source.replace("\n", "\r\n").encode("cp932"))
            run = subprocess.run([zetcomp, "example.zts"], cwd=work, capture_output=True)
            shown = run.stdout.decode("utf-8").rstrip("\n")
            if shown != log.rstrip("\n"):
                print("%s, source %d: the log is\n%s\nthe guide shows\n%s" % (guide, number, shown,
                                                                            log))
                failures += 1
    blocks = ANY_BLOCK.findall(text)
    for name in SHOWN:
        with open(os.path.join(examples, name), encoding="utf-8") as f:
            if f.read() not in blocks:
                print("%s does not show examples/%s as it is" % (guide, name))
                failures += 1
    print("%s: %d sources, %d failing" % (guide, len(cases), failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
