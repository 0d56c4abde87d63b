"""zetplay on the example's five kinds, in either build: the trace, seamless
cycles, cut runs, --loop, the loop that shows no frame, a seed that gives
the same bytes twice and the same APNG as the reviewed checksums (which the
Linux and the Windows build must both give), statuses and messages, and no
output left behind by a failure.

Usage: example_test.py [--windows] [--zetcomp ZETCOMP --examples DIR] TESTDATA WORK ZETPLAY...
  ZETPLAY: the program, with the emulator in front for the Windows build.
"""
import argparse
import hashlib
import os
import re
import shutil
import struct
import subprocess
import sys

KINDS = ["NOICON", "ASTERISK", "EXCLAMATION", "STOP", "QUESTION"]
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
    return condition


class Player:
    def __init__(self, command, work, windows):
        self.command, self.work, self.windows = command, work, windows

    def run(self, *args):
        done = subprocess.run(self.command + list(args), cwd=self.work, capture_output=True)
        encoding = "cp932" if self.windows else "utf-8"
        # The Windows program's console output is in text mode: CR LF.
        return (done.returncode,
                done.stdout.decode(encoding, errors="replace").replace("\r\n", "\n"),
                done.stderr.decode(encoding, errors="replace").replace("\r\n", "\n"))

    def ok(self, *args):
        status, out, err = self.run(*args)
        check(status == 0, f"{args}: status {status}\n{out}{err}")
        return out

    def read(self, name):
        with open(os.path.join(self.work, name), "rb") as f:
            return f.read()


def kind_section(summary, kind):
    """The summary lines of one kind."""
    match = re.search(rf"^{kind}: .*?(?=^[A-Z]+: |\Z)", summary, re.S | re.M)
    return match.group(0) if match else ""


def check_summary(player):
    out = player.ok("demo.ztr")
    expected = {
        "NOICON": ["0 ms から 300 ms の周期", "1 周期 300 ms を継ぎ目なく", "表示しないフレーム: なし"],
        "ASTERISK": ["10000 ms で打ち切り"],
        "EXCLAMATION": ["10000 ms で打ち切り", "表示しないフレーム: なし"],
        "STOP": ["100 ms でコードが終わり、最後のフレーム 0 のまま"],
        "QUESTION": ["300 ms から 1300 ms の周期", "最初の部分と周期 8 回"],
    }
    for kind, words in expected.items():
        section = kind_section(out, kind)
        for word in words:
            check(word in section, f"summary of {kind} lacks {word!r}:\n{section}")


def check_trace(player):
    out = player.ok("--kind", "NOICON", "--trace", "demo.ztr")
    steps = re.findall(r"^\s*(\d+)\s+\+(\d+)\s+(.+?;)\s+(.*)$", out, re.M)
    check(steps[:4] == [("0", "00000", "0;", "フレーム 0 (100 ms)"),
                        ("100", "00003", "1;", "フレーム 1 (100 ms)"),
                        ("200", "00006", "2;", "フレーム 2 (100 ms)"),
                        ("300", "00009", "goto +00000;", "→ +00000")],
          f"NOICON trace:\n{out}")
    check(re.search(r"^\s*300  周期: \+00000 \(時刻 0\)", out, re.M) is not None,
          f"NOICON trace ends without its cycle:\n{out}")
    out = player.ok("--kind", "STOP", "--trace", "--loop", "demo.ztr")
    check("0 ms から 100 ms の周期" in out, f"STOP with --loop does not cycle:\n{out}")


def apng_chunks(data):
    """(type, data) of each chunk."""
    chunks, at = [], 8
    while at < len(data):
        length, kind = struct.unpack_from(">I4s", data, at)
        chunks.append((kind.decode(), data[at + 8:at + 8 + length]))
        at += 12 + length
    return chunks


def check_cycles_and_cuts(player):
    player.ok("--apng", "seam.png", "demo.ztr")
    noicon = apng_chunks(player.read("seam.NOICON.png"))
    actl = [data for kind, data in noicon if kind == "acTL"][0]
    check(struct.unpack(">II", actl) == (3, 0), f"NOICON APNG acTL {actl!r}: 3 frames, forever")
    stop = apng_chunks(player.read("seam.STOP.png"))
    actl = [data for kind, data in stop if kind == "acTL"][0]
    check(struct.unpack(">II", actl) == (1, 1), "STOP APNG must play once")
    # Cut runs loop where the code last jumps back to its start (label at 0).
    for kind in ("ASTERISK", "EXCLAMATION"):
        chunks = apng_chunks(player.read(f"seam.{kind}.png"))
        delays = [struct.unpack_from(">HH", data, 20) for k, data in chunks if k == "fcTL"]
        total = sum(n * 1000 // d for n, d in delays)
        trace = player.ok("--kind", kind, "--trace", "demo.ztr")
        back = [int(t) for t in re.findall(r"^\s*(\d+)\s+\+\d+\s+.*→ \+00000$", trace, re.M)]
        check(back and total == back[-1] < 10000,
              f"{kind}: cut run exported for {total} ms, its last jump back at {back[-1:]}")
        actl = [data for k, data in chunks if k == "acTL"][0]
        check(struct.unpack(">I", actl[4:])[0] == 0, f"{kind}: the cut run's APNG must loop")


def check_seeds(player, golden):
    sums = {}
    for seed in ("1", "5"):
        player.ok("--seed", seed, "--apng", f"seed{seed}.png", "demo.ztr")
        for kind in KINDS:
            sums[f"{seed} {kind}"] = hashlib.sha256(player.read(f"seed{seed}.{kind}.png")).hexdigest()
    player.ok("--seed", "1", "--kind", "ASTERISK", "--apng", "again.png", "demo.ztr")
    check(player.read("again.png") == player.read("seed1.ASTERISK.png"),
          "seed 1 gives other bytes the second time")
    check(sums["1 ASTERISK"] != sums["5 ASTERISK"], "seeds 1 and 5 give the same ASTERISK")
    with open(golden) as f:
        reviewed = dict(line.rstrip("\n").rsplit(" ", 1) for line in f if line.strip())
    for key, digest in sums.items():
        check(reviewed.get(key) == digest, f"APNG {key}: {digest}, reviewed {reviewed.get(key)}")


def check_failures(player, windows):
    demo = player.read("demo.ztr")
    noicon_code = struct.unpack_from("<I", demo, 60 + 16)[0]
    # NOICON: goto 3; goto 0; 2; goto 0;
    hang = bytearray(demo)
    hang[noicon_code:noicon_code + 6] = bytes([3, 3, 0, 3, 0, 0])
    info = struct.unpack_from("<I", demo, 60 + 32 * 3)[0]
    rle = bytearray(demo)
    struct.pack_into("<I", rle, info + 16, 1)
    for name, data in (("hang.ztr", hang), ("rle.ztr", rle), ("short.ztr", demo[:300])):
        with open(os.path.join(player.work, name), "wb") as f:
            f.write(data)
    cases = [
        (["--help"], 0, "使い方"),
        ([], 2, "ファイルを指定"),
        (["--bogus", "demo.ztr"], 2, "知らないオプション"),
        (["--seed", "x", "demo.ztr"], 2, "--seed"),
        (["missing.ztr"], 1, "missing.ztr: "),
        (["--apng", "fail.png", "short.ztr"], 1, "short.ztr: オフセット"),
        (["--apng", "fail.png", "hang.ztr"], 1, "オフセット +00000 +00003"),
        (["--apng", "fail.png", "rle.ztr"], 1, "RLE8"),
        (["--apng", "fail.png", "--html", "fail.html", "--kind", "STOP", "hang.ztr"], 1,
         "NOICON のコード"),
        (["--apng", "no/such/folder/fail.png", "demo.ztr"], 1, "fail.NOICON.png: "),
    ]
    if windows:
        cases.append((["--gif", "fail.gif", "demo.ztr"], 1, "GIF は書けません"))
    for args, status, words in cases:
        got, out, err = player.run(*args)
        check(got == status, f"{args}: status {got}, not {status}\n{out}{err}")
        check(words in out + err, f"{args}: no {words!r} in\n{out}{err}")
    left = [name for name in os.listdir(player.work) if name.startswith("fail") or
            ".partial-" in name]
    check(not left, f"failures left files behind: {left}")
    # Only the picked kind is played: NOICON's hang does not stop STOP.
    player.ok("--kind", "STOP", "--apng", "stop.png", "hang.ztr")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--windows", action="store_true")
    parser.add_argument("--zetcomp")
    parser.add_argument("--examples")
    parser.add_argument("testdata")
    parser.add_argument("work")
    parser.add_argument("zetplay", nargs="+")
    args = parser.parse_args()
    shutil.rmtree(args.work, ignore_errors=True)
    os.makedirs(args.work)
    demo = os.path.join(args.testdata, "demo.ztr")
    if args.zetcomp:
        # The test's copy is the example as the build's compiler makes it.
        compiled = os.path.join(args.work, "compiled")
        shutil.copytree(args.examples, compiled)
        subprocess.run([args.zetcomp, "demo.zts"], cwd=compiled, check=True, capture_output=True)
        with open(os.path.join(compiled, "demo.ztr"), "rb") as a, open(demo, "rb") as b:
            check(a.read() == b.read(), "player/testdata/demo.ztr is not the example as zetcomp "
                                        "compiles it now: copy examples/demo.ztr there and "
                                        "review the checksums")
    shutil.copy(demo, os.path.join(args.work, "demo.ztr"))
    player = Player(args.zetplay, args.work, args.windows)
    check_summary(player)
    check_trace(player)
    check_cycles_and_cuts(player)
    check_seeds(player, os.path.join(args.testdata, "example_apng.sha256"))
    check_failures(player, args.windows)
    for failure in failures:
        print("FAIL", failure)
    print(f"{len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
