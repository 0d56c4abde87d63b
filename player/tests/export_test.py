"""zetplay's exports decoded by an independent decoder (Pillow): for every
pixel format and row order, the APNG and the GIF hold exactly the frames of
the trace, in its order, with its delays, and the colours the strip stores.
A cut run's export ends where the trace jumps back to offset 0 for the last
time, so that its loop's seam is a step the code makes, or plays once where
the trace never goes back. A bit-field strip's masks are in the compiled file.

Usage: export_test.py ZETCOMP ZETPLAY WORK_FOLDER
"""
import os
import re
import shutil
import struct
import subprocess
import sys

from PIL import Image

import bmp_strips

TRACE_LINE = re.compile(r"^\s*(\d+)\s+\+(\d+)\s+.*?フレーム (\d+) \((\d+) ms\)$")
BACK_LINE = re.compile(r"^\s*(\d+)\s+\+\d+\s+.*→ \+00000$")
CYCLE_LINE = re.compile(r"周期: \+(\d+) \(時刻 (\d+)\)")

# name, frames program, FRAMETIME, extra options, what the export must hold:
# "trace" (the trace's frames merged), or the frames of one cycle.
PROGRAMS = [
    ("random", "a: 0; repeat 1 for 3; for 3 to 2; prob 1 of 3 goto a; for 0 to 3; goto a;",
     40, ["--max-ms", "2000"], "trace"),
    ("ends", "for 3 to 0; repeat 2 for 2;", 30, [], "trace"),
    # The lead-in 0 repeats the cycle's end: the export is the cycle 0 1 2.
    ("cycle", "0; a: 1; 2; 0; goto a;", 50, [], [0, 1, 2]),
    # 7 ms frames: GIF's hundredths carry the rounding.
    ("short", "a: 0; 1; 2; 3; prob 7 of 8 goto a; 1;", 7, ["--max-ms", "500"], "trace"),
    # Cut runs: one held far past --max-ms, one that goes back to its start
    # at random, one that never goes back (its loop starts at offset 3).
    ("cut_hold", "0; 3; repeat 0 for 65535;", 100, [], "trace"),
    ("cut_back", "a: 0; 1; prob 2 of 3 goto a; 2; prob 1 of 2 goto a; repeat 3 for 65535;", 20,
     ["--max-ms", "3000"], "trace"),
    ("cut_never", "0; a: 1; prob 1 of 2 goto a; 2; goto a;", 30, ["--max-ms", "1500"], "trace"),
]

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
    return condition


def run(*command, cwd):
    done = subprocess.run(command, cwd=cwd, capture_output=True)
    if done.returncode != 0:
        raise SystemExit(f"{command}: status {done.returncode}\n"
                         f"{done.stdout.decode(errors='replace')}{done.stderr.decode(errors='replace')}")
    return done.stdout.decode("utf-8")


def traced_shots(trace):
    """(frame, ms) per frame shown, runs of one frame merged, and whether the
    export loops. A cut run keeps only what it shows before its last jump
    back to offset 0, and loops only when there is one after a frame."""
    shots, back = [], None
    for line in trace.splitlines():
        match = TRACE_LINE.match(line)
        if match:
            shots.append((int(match.group(1)), int(match.group(3)), int(match.group(4))))
        jump = BACK_LINE.match(line)
        if jump and shots:
            back = int(jump.group(1))
    cut = re.search(r"^\s*\d+  打ち切り$", trace, re.M) is not None
    if cut and back is not None:
        shots = [shot for shot in shots if shot[0] < back]
    merged = []
    for _, frame, ms in shots:
        if merged and merged[-1][0] == frame:
            merged[-1][1] += ms
        else:
            merged.append([frame, ms])
    loops = CYCLE_LINE.search(trace) is not None or (cut and back is not None)
    return [tuple(shot) for shot in merged], loops


def frames_of(path):
    """Each frame as RGB bytes and its duration in ms, and the loop count."""
    image = Image.open(path)
    frames = []
    for index in range(getattr(image, "n_frames", 1)):
        image.seek(index)
        frames.append((image.convert("RGB").tobytes(), image.info.get("duration", 0)))
    return frames, image.info.get("loop")


def check_apng(label, path, strip, shots, loops):
    frames, loop = frames_of(path)
    check(len(frames) == len(shots), f"{label}: {len(frames)} APNG frames, {len(shots)} shots")
    for i, ((rgb, ms), (frame, want)) in enumerate(zip(frames, shots)):
        check(rgb == strip.frame_rgb(frame), f"{label}: APNG frame {i} is not strip frame {frame}")
        check(ms == want, f"{label}: APNG frame {i} lasts {ms} ms, the trace {want} ms")
    check(loop == (0 if loops else 1), f"{label}: APNG loop {loop}")


def check_gif(label, path, strip, shots, loops):
    frames, loop = frames_of(path)
    check(len(frames) == len(shots), f"{label}: {len(frames)} GIF frames, {len(shots)} shots")
    end = shown = 0
    for i, ((rgb, ms), (frame, want)) in enumerate(zip(frames, shots)):
        check(rgb == strip.frame_rgb(frame), f"{label}: GIF frame {i} is not strip frame {frame}")
        end += want
        shown += ms
        # Every frame ends where the trace's does, rounded to 10 ms: no drift.
        check(shown == (end + 5) // 10 * 10, f"{label}: GIF frame {i} ends at {shown} ms, "
                                             f"the trace's at {end} ms")
    check((loop == 0) == loops, f"{label}: GIF loop {loop}")


def check_sheet(label, path, strip):
    sheet = Image.open(path).convert("RGB")
    # The first cell's picture sits inside the cell's 6-pixel margin.
    corner = sheet.crop((6, 6, 6 + bmp_strips.WIDTH, 6 + bmp_strips.FRAME_HEIGHT)).tobytes()
    check(corner == strip.frame_rgb(0), f"{label}: the sheet's first cell is not frame 0")


def check_masks(label, path, strip):
    """The masks stand at byte 40 of the info block, in the header or after it."""
    with open(path, "rb") as f:
        compiled = f.read()
    info = struct.unpack_from("<I", compiled, 60)[0]
    kept = compiled[info + 40:info + 40 + 4 * len(strip.masks)]
    check(kept == struct.pack(f"<{len(strip.masks)}I", *strip.masks),
          f"{label}: the compiled file lacks the masks")


def play_case(zetcomp, zetplay, work, strip, program):
    name, frames, frame_time, options, holds = program
    label = f"{strip.name}/{name}"
    folder = os.path.join(work, label.replace("/", "-"))
    os.makedirs(folder)
    with open(os.path.join(folder, "strip.bmp"), "wb") as f:
        f.write(strip.bmp())
    with open(os.path.join(folder, "case.zts"), "wb") as f:
        f.write(bmp_strips.source("strip.bmp", "case.ztr", frames, frame_time))
    run(zetcomp, "case.zts", cwd=folder)
    if strip.masks:
        check_masks(label, os.path.join(folder, "case.ztr"), strip)
    trace = run(zetplay, "--kind", "NOICON", "--trace", "--apng", "a.png", "--gif", "a.gif",
                "--sheet", "s.png", *options, "case.ztr", cwd=folder)
    shots, loops = traced_shots(trace)
    if "打ち切り" in trace:
        says = "1 回だけ再生し" if not loops else "先頭に戻る"
        check(says in trace, f"{label}: the summary of the cut run lacks {says!r}")
    if holds != "trace":
        check(CYCLE_LINE.search(trace) is not None, f"{label}: no cycle in\n{trace}")
        shots = [(frame, frame_time) for frame in holds]
    check_apng(label, os.path.join(folder, "a.png"), strip, shots, loops)
    check_gif(label, os.path.join(folder, "a.gif"), strip, shots, loops)
    check_sheet(label, os.path.join(folder, "s.png"), strip)


def main():
    zetcomp, zetplay, work = sys.argv[1:4]
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    cases = 0
    for strip in bmp_strips.strips():
        for program in PROGRAMS:
            play_case(zetcomp, zetplay, work, strip, program)
            cases += 1
    for failure in failures:
        print("FAIL", failure)
    print(f"{cases} cases, {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
