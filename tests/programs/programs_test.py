"""The command-line shell every program shares: --help, --version, a standard
output that cannot be written, an unknown option and no argument, with the
status and the streams each must give.

Usage: programs_test.py WORK VERSION DATA [--emulator PROGRAM] NAME=PATH...
(DATA: the cross-build set, tests/crossbuild/data.)
"""
import os
import shutil
import subprocess
import sys

work, version, data = sys.argv[1:4]
arguments = sys.argv[4:]
emulator = []
if arguments[:1] == ["--emulator"]:
    emulator, arguments = [arguments[1]], arguments[2:]
programs = dict(argument.split("=", 1) for argument in arguments)

# Inputs every program works on without a fault: a source of the cross-build
# set and the file it compiles into.
shutil.rmtree(work, ignore_errors=True)
os.makedirs(os.path.join(work, "bmp"))
os.makedirs(os.path.join(work, "out"))
shutil.copy(os.path.join(data, "empty.zts"), work)
shutil.copy(os.path.join(data, "bmp", "d1.bmp"), os.path.join(work, "bmp"))
shutil.copy(os.path.join(data, "expected", "empty.ztr"), work)

WORK_ON = {"zetcomp": ["empty.zts"], "zetdump": ["empty.ztr"], "zetplay": ["empty.ztr"],
           "zetlint": ["--list-deps", "empty.zts"],
           # zetshow's work is a box on the screen: a file that is not there
           # ends it before any box, with a message.
           "zetshow": ["missing.ztr"]}

# (case, arguments, standard output to /dev/full, status, standard output
# written, standard error written); None where the program stands apart.
CASES = [
    ("help", ["--help"], False, 0, True, False),
    ("version", ["--version"], False, 0, True, False),
    ("help, full output", ["--help"], True, 1, None, True),
    ("work, full output", None, True, 1, None, True),
    ("unknown option", ["--no-such-option"], False, 2, False, True),
    ("no argument", [], False, 2, False, True),
]
# zetcomp takes the command line of the Windows program: an unknown option is
# ignored (said on standard error) and no file is no work.
EXCEPTIONS = {("zetcomp", "unknown option"): (0, False, True),
              ("zetcomp", "no argument"): (0, False, False)}

failures = []
for name, path in sorted(programs.items()):
    for case, args, full, status, out, err in CASES:
        status, out, err = EXCEPTIONS.get((name, case), (status, out, err))
        args = WORK_ON[name] if args is None else args
        stdout = open("/dev/full", "wb") if full else subprocess.PIPE
        result = subprocess.run(emulator + [path] + args, cwd=work, stdout=stdout,
                                stderr=subprocess.PIPE)
        if full:
            stdout.close()
        got = (result.returncode, None if full else bool(result.stdout), bool(result.stderr))
        if got != (status, out, err):
            failures.append(f"{name} {case}: status, output, error {got}, "
                            f"expected {(status, out, err)}\n{result.stderr!r}")
        if case == "version" and result.stdout.replace(b"\r\n", b"\n") != \
                f"{name} {version}\n".encode():
            failures.append(f"{name} --version: {result.stdout!r}")

print("\n".join(failures) or f"{len(programs)} programs, {len(CASES)} cases each: as expected")
sys.exit(1 if failures else 0)
