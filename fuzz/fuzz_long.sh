#!/bin/sh
# Runs every harness of a fuzz build long, one after another, and prints how
# many inputs each ran. Corpora grow in BUILD/fuzz/long from run to run.
# Usage: fuzz_long.sh BUILD SECONDS [RUNS] [HARNESS...]
#   RUNS > 0 stops each harness after that many executions instead.
set -eu
build=$(realpath "$1")
seconds=$2
runs=${3:-0}
shift 2
[ $# -gt 0 ] && shift
harnesses=${*:-frames profile bitmap compile_source zetdump lint player runtime}
fuzzdir=$(cd "$(dirname "$0")" && pwd)
work=$build/fuzz/long
mkdir -p "$work"
# The compile harness writes many small files: memory is faster than disk.
if [ -z "${TMPDIR:-}" ] && [ -w /dev/shm ]; then
  export TMPDIR=/dev/shm
fi

# Most of a run's time went to AddressSanitizer's bookkeeping: a smaller
# quarantine and no allocation stacks make it more than twice as fast. A kept
# crash replays under the full options in the fuzz preset's ctest.
export ASAN_OPTIONS="${ASAN_OPTIONS:-malloc_context_size=0:quarantine_size_mb=16}"

limit=-max_total_time=$seconds
if [ "$runs" -gt 0 ]; then
  limit=-runs=$runs
fi
status=0
# Inputs as long as each harness needs: values cut at 32766 bytes, code full
# at 16384 bytes, sources with a few bitmaps.
max_len() {
  case $1 in
    profile) echo 65536 ;;
    compile_source | lint) echo 32768 ;;
    *) echo 16384 ;;
  esac
}
for name in $harnesses; do
  log=$work/$name.log
  echo "== $name ($limit), log in $log"
  if ! sh "$fuzzdir/run_fuzzer.sh" "$build/fuzz/fuzz_$name" "$name" "$fuzzdir" "$work" \
    "$limit" -timeout=30 -rss_limit_mb=4096 "-max_len=$(max_len "$name")" >"$log" 2>&1; then
    echo "$name: FAILED, see $log and $work/artifacts"
    status=1
  fi
done
echo "== executions"
for name in $harnesses; do
  printf '%-16s %s\n' "$name" \
    "$(grep -a 'stat::number_of_executed_units' "$work/$name.log" | awk '{print $2}')"
done
exit $status
