#!/usr/bin/env python3
"""Makes the seed corpora in fuzz/corpus/ from the repository's test inputs.

Run from anywhere: python3 fuzz/make_corpus.py. Replaces the seeds it makes
(names starting with "seed-") and leaves every other file alone.
"""
import glob
import hashlib
import os
import re
import shutil
import subprocess
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CORPUS = os.path.join(ROOT, "fuzz", "corpus")
KINDS = ["NOICON", "ASTERISK", "EXCLAMATION", "STOP", "QUESTION"]


def repo(*parts):
    return os.path.join(ROOT, *parts)


def read(path):
    with open(path, "rb") as f:
        return f.read()


def put(harness, name, data):
    folder = os.path.join(CORPUS, harness)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "seed-" + name), "wb") as f:
        f.write(data)


def sources():
    return sorted(glob.glob(repo("examples", "*.zts")) + glob.glob(repo("tests", "crossbuild", "data", "*.zts")))


def frames_programs(text):
    """The FRAMES values of each section, joined as the reader joins them."""
    programs = []
    section = {}
    for line in text.split(b"\n"):
        line = line.strip(b"\r")
        m = re.match(rb"FRAMES(\d+)=(.*)", line)
        if line.startswith(b"["):
            section = {}
        elif m:
            section[int(m.group(1))] = m.group(2).strip()
            keys = sorted(section)
            if keys == list(range(1, len(keys) + 1)):
                programs.append(b"\r\n".join(section[k] for k in keys))
    return programs


def test_programs():
    """The (program, frame count) pairs of the frames compiler's tests."""
    text = read(repo("compiler", "frames", "frame_compiler_test.cpp")).decode("utf-8")
    pairs = []
    for m in re.finditer(r'\{"((?:[^"\\]|\\.)*)", (0x[0-9a-f]+|\d+),', text):
        program = m.group(1).encode("latin-1").decode("unicode_escape").encode("latin-1")
        pairs.append((program, int(m.group(2), 0)))
    return pairs


def frames_seeds():
    seeds = []
    for program, count in test_programs():
        count = 0xFFFF if count > 0xFFFF else count
        seeds.append(count.to_bytes(2, "little") + program)
    for path in sources():
        for program in frames_programs(read(path)):
            seeds.append((4).to_bytes(2, "little") + program)
    for i, seed in enumerate(seeds):
        put("frames", "%03d" % i, seed)


def profile_seeds():
    names = b"basis\nversion\nBASIS\n OUTPUT \nBUTTONS\nok"
    for path in sources():
        data = read(path)
        stem = os.path.splitext(os.path.basename(path))[0]
        put("profile", stem, b"\0" + data)
        put("profile", stem + "-names", bytes([len(names)]) + names + data)
    demo = read(repo("examples", "demo.zts")).decode("cp932")
    put("profile", "demo-utf16", b"\0" + b"\xff\xfe" + demo.encode("utf-16-le"))


def imagemagick_bitmaps(folder):
    """The bitmaps the output tests make with ImageMagick, from their list."""
    text = read(repo("compiler", "output", "CMakeLists.txt")).decode("utf-8")
    made = []
    for name, arguments in re.findall(r'"(m\w+\.bmp)\|([^"]+)"', text):
        words = arguments.split()
        target = os.path.join(folder, name)
        try:
            subprocess.run(["convert", "-seed", "7"] + words[:-1] + [words[-1] + ":" + target],
                           check=True, capture_output=True)
            made.append(target)
        except (OSError, subprocess.CalledProcessError):
            pass
    return made


def bitmap_seeds():
    paths = sorted(glob.glob(repo("examples", "bmp", "*.bmp")) +
                   glob.glob(repo("tests", "crossbuild", "data", "bmp", "*.bmp")))
    with tempfile.TemporaryDirectory() as folder:
        for path in paths + imagemagick_bitmaps(folder):
            put("bitmap", os.path.basename(path), read(path))


def compile_source_seeds():
    for path in sources():
        data = read(path)
        folder = os.path.dirname(path)
        seed = data
        for name in sorted(set(re.findall(rb"(?i)BITMAP\s*=\s*(?:\.\\)?([\w./\\]+)", data))):
            local = name.replace(b"\\", b"/")
            bmp = os.path.join(folder, local.decode())
            if os.path.isfile(bmp):
                seed += b"\n@@ " + local + b"\n" + read(bmp)
        put("compile_source", os.path.basename(path), seed)


def lint_seeds():
    """The compile seeds, and the sources of the lint's table with its strips."""
    for path in glob.glob(os.path.join(CORPUS, "compile_source", "seed-*")):
        put("lint", os.path.basename(path)[len("seed-"):], read(path))
    text = read(repo("lint", "lint_test.cpp")).decode("utf-8")
    strip = read(repo("examples", "bmp", "plain.bmp"))
    for i, m in enumerate(re.finditer(r'Basis\("((?:[^"\\]|\\.)*)"\)', text)):
        rest = m.group(1).encode("utf-8").decode("unicode_escape").encode("latin-1")
        try:
            rest = rest.decode("utf-8").encode("cp932")
        except UnicodeError:
            pass
        source = (b"[basis]\r\nversion=11\r\noutput=out.ztr\r\nBITMAP=a.bmp\r\n"
                  b"FRAMEHEIGHT=32\r\nFRAMES1=for 0 to 2;\r\n" + rest)
        put("lint", "table-%02d" % i, source + b"\n@@ a.bmp\n" + strip)


def zetdump_seeds():
    for path in sorted(glob.glob(repo("zetdump", "testdata", "*.ztr")) +
                       glob.glob(repo("tests", "crossbuild", "data", "expected", "*.ztr"))):
        put("zetdump", os.path.basename(path), read(path))


def player_seeds():
    """The example and the reader's files; the formats-*.ztr seeds (one strip
    of each pixel format, made by player/tests/export_test.py) stay."""
    for path in sorted(glob.glob(repo("player", "testdata", "*.ztr")) +
                       glob.glob(repo("zetdump", "testdata", "*.ztr"))):
        put("player", os.path.basename(path), read(path))


def main():
    for path in glob.glob(os.path.join(CORPUS, "*", "seed-*")):
        os.remove(path)
    frames_seeds()
    profile_seeds()
    bitmap_seeds()
    compile_source_seeds()
    lint_seeds()
    zetdump_seeds()
    player_seeds()
    for harness in sorted(os.listdir(CORPUS)):
        files = os.listdir(os.path.join(CORPUS, harness))
        size = sum(os.path.getsize(os.path.join(CORPUS, harness, f)) for f in files)
        print("%-16s %4d seeds, %7d bytes" % (harness, len(files), size))


if __name__ == "__main__":
    main()
