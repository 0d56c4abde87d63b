#!/bin/sh
# Formats each manual page as man shows it and fails on any warning, or when
# the page lacks its NAME section.
#   check_manuals.sh FOLDER PAGE...
set -u
folder=$1
shift
status=0
for page in "$@"; do
  name=${page%.*}
  if ! out=$(MANWIDTH=80 LC_ALL=C.UTF-8 man --warnings -l "$folder/$page" 2>&1 >/dev/null); then
    echo "$page: man failed"
    status=1
  elif [ -n "$out" ]; then
    printf '%s: warnings:\n%s\n' "$page" "$out"
    status=1
  fi
  if ! MANWIDTH=80 LC_ALL=C.UTF-8 man -l "$folder/$page" 2>/dev/null | grep -q "^NAME"; then
    echo "$page: no NAME section"
    status=1
  fi
  if ! MANWIDTH=80 LC_ALL=C.UTF-8 man -l "$folder/$page" 2>/dev/null | grep -qE "^ +$name +- "; then
    echo "$page: no name line"
    status=1
  fi
done
exit $status
