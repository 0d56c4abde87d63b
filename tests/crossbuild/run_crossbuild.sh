#!/bin/sh
# Compiles every source of DATA with one build's compile_files tool in a copy
# under WORK and compares the printed outcomes and the compiled files with the
# golden files in DATA/expected, byte for byte. Both builds pass against the
# same golden files, so their outputs are identical. When NATIVE names the
# Linux tool, the outputs are also compared with its own directly.
#
# Usage: run_crossbuild.sh DATA WORK NATIVE COMMAND...
# (NATIVE may be - for none; COMMAND is the tool, with Wine in front if need be.)
# To renew the golden files after a deliberate change of the format:
#   ZET_RENEW_GOLDEN=1 run_crossbuild.sh DATA WORK - build/.../zet_compile_files
set -eu

data=$(cd "$1" && pwd)
work=$2
native=$3
shift 3

# Compiles all sources in folder $1 with the command that follows.
compile_set() {
  dir=$1
  shift
  rm -rf "$dir"
  mkdir -p "$dir/out"
  cp -R "$data/bmp" "$dir/"
  cp "$data/bmp/a24.bmp" "$dir/bmp/trailing.bmp"
  truncate -s 3G "$dir/bmp/trailing.bmp"
  cp "$data"/*.zts "$dir/"
  sources=$(cd "$data" && ls ./*.zts | sed 's|^\./||')
  # The tool exits 1 when a source fails, as several do on purpose.
  # shellcheck disable=SC2086
  (cd "$dir" && "$@" $sources >messages.txt) || true
}

compare() {
  if ! cmp "$1" "$2"; then
    status=1
  fi
}

status=0
compile_set "$work/this" "$@"

if [ "${ZET_RENEW_GOLDEN:-}" = 1 ]; then
  rm -rf "$data/expected"
  mkdir -p "$data/expected"
  cp "$work/this/messages.txt" "$work"/this/out/* "$data/expected/"
  exit 0
fi

compare "$data/expected/messages.txt" "$work/this/messages.txt"
for file in "$data"/expected/*.ztr; do
  compare "$file" "$work/this/out/$(basename "$file")"
done
if [ "$(cd "$data/expected" && ls ./*.ztr)" != "$(cd "$work/this/out" && ls ./*)" ]; then
  echo "the outputs written are not the expected ones:" "$(ls "$work/this/out")"
  status=1
fi

if [ -n "$native" ] && [ -x "$native" ]; then
  compile_set "$work/native" "$native"
  compare "$work/native/messages.txt" "$work/this/messages.txt"
  for file in "$work"/native/out/*; do
    compare "$file" "$work/this/out/$(basename "$file")"
  done
  echo "compared directly with $native"
fi

[ "$status" = 0 ] && echo "all outputs identical"
exit "$status"
