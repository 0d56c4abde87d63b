#!/bin/sh
# Runs the compile benchmark in a fresh folder with one build's program (Wine
# in front for the Windows build), times cat of the same five bitmaps into
# one file and gives the ratio; for a Linux build also the frames compiler
# alone, with Google Benchmark and with callgrind (instructions per byte).
# Usage: run_bench.sh LABEL FRAMES_BENCH COMMAND...
#   FRAMES_BENCH: the Google Benchmark program, or "" for none.
set -eu
label=$1
frames_bench=$2
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "== $label"
(cd "$work" && "$@") >"$work/figures.txt"
grep -v '^RESULT' "$work/figures.txt"

# cat of the five bitmaps that the 4 MB compile copies, best of 7.
best=""
for run in 1 2 3 4 5 6 7; do
  rm -f "$work/cat.out"
  start=$(date +%s%N)
  cat "$work"/bitmaps0.bmp "$work"/bitmaps1.bmp "$work"/bitmaps2.bmp "$work"/bitmaps3.bmp \
    "$work"/bitmaps4.bmp >"$work/cat.out"
  end=$(date +%s%N)
  took=$((end - start))
  if [ -z "$best" ] || [ "$took" -lt "$best" ]; then
    best=$took
  fi
done
compile=$(awk '/^RESULT bitmaps/ {print $3}' "$work/figures.txt")
awk -v cat="$best" -v compile="$compile" -v bytes="$(du -cb "$work"/bitmaps?.bmp | tail -n1 | cut -f1)" \
  'BEGIN { printf "%-46s fastest %9.3f ms  (%d bytes)\n%-46s %9.2f\n",
           "cat of the same five bitmaps into one file", cat / 1e6, bytes,
           "ratio compile / cat, 4 MB bitmaps", compile / (cat / 1e6) }'

if [ -n "$frames_bench" ]; then
  "$frames_bench" --benchmark_min_time=0.5 2>/dev/null | grep -E 'BM_|Benchmark|---'
  if command -v valgrind >/dev/null; then
    loops=20
    (cd "$work" && valgrind --tool=callgrind --callgrind-out-file=cg.out \
      "--toggle-collect=*CompileProgram*" "$@" --frames-loop $loops >frames.txt 2>/dev/null)
    instructions=$(callgrind_annotate "$work/cg.out" | awk '/PROGRAM TOTALS/ {gsub(",", "", $1); print $1}')
    bytes=$(awk '/^RESULT frames_bytes/ {print $3}' "$work/frames.txt")
    awk -v i="$instructions" -v b="$bytes" -v n=$loops \
      'BEGIN { printf "%-46s %9.1f instructions per byte (callgrind)\n", "frames compiler alone, 30 KB program", i / (n * b) }'
  fi
fi
