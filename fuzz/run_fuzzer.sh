#!/bin/sh
# Runs one libFuzzer harness: first over the kept crashing inputs, then
# fuzzing from the repository's seeds.
#
# Usage: run_fuzzer.sh HARNESS NAME FUZZDIR WORK [libFuzzer options...]
#   HARNESS  the harness program; NAME its input kind (corpus/NAME, NAME.dict)
#   FUZZDIR  the repository's fuzz folder; WORK a folder for this run
# New inputs go to WORK/corpus/NAME (the seeds in the repository stay as they
# are); a crashing input goes to WORK/artifacts/NAME-crash-*: keep it in
# FUZZDIR/regressions/NAME once its fault is fixed. Every path handed to the
# harness is absolute, since a harness may change its current folder.
set -eu
harness=$(realpath "$1")
name=$2
fuzzdir=$(realpath "$3")
work=$4
shift 4
mkdir -p "$work/corpus/$name" "$work/artifacts"
work=$(realpath "$work")

regressions=$fuzzdir/regressions/$name
if [ -d "$regressions" ] && [ -n "$(ls -A "$regressions")" ]; then
  log=$work/$name-regressions.log
  # shellcheck disable=SC2046
  if ! "$harness" $(find "$regressions" -type f | sort) >"$log" 2>&1; then
    cat "$log"
    exit 1
  fi
  echo "$name: $(find "$regressions" -type f | wc -l) kept inputs pass"
fi

dict=
if [ -f "$fuzzdir/$name.dict" ]; then
  dict=-dict=$fuzzdir/$name.dict
fi
exec "$harness" $dict -artifact_prefix="$work/artifacts/$name-" -print_final_stats=1 "$@" \
  "$work/corpus/$name" "$fuzzdir/corpus/$name"
