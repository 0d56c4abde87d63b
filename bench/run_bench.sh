#!/bin/sh
# Runs the compile benchmark in a fresh folder with one build's program (Wine
# in front for the Windows build), then times cp on the same bitmap bytes.
# Usage: run_bench.sh LABEL COMMAND...
set -eu
label=$1
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "== $label"
(cd "$work" && "$@")

# cp of the five bitmaps, the bytes the second compile copies, best of 7.
mkdir "$work/copy"
best=""
for run in 1 2 3 4 5 6 7; do
  rm -f "$work"/copy/*
  start=$(date +%s%N)
  cp "$work"/strip0.bmp "$work"/strip1.bmp "$work"/strip2.bmp "$work"/strip3.bmp \
    "$work"/strip4.bmp "$work/copy/"
  end=$(date +%s%N)
  took=$((end - start))
  if [ -z "$best" ] || [ "$took" -lt "$best" ]; then
    best=$took
  fi
done
printf '%-44s fastest %5d.%02d ms\n' "cp of the five bitmaps ($(du -cb "$work"/strip?.bmp | tail -n1 | cut -f1) bytes)" \
  $((best / 1000000)) $((best / 10000 % 100))
