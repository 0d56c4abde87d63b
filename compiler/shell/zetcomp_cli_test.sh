#!/bin/sh
# The Linux program's command line, as a user types it: each case runs zetcomp
# in a fresh folder and checks its exit status and the whole of its output.
#   zetcomp_cli_test.sh ZETCOMP
set -u
zetcomp=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# expect STATUS EXPECTED-OUTPUT ARGUMENTS...
expect() {
  status=$1
  expected=$(printf "%s" "$2")  # as $(...) gives it: no final line breaks
  shift 2
  actual=$(cd "$work" && "$zetcomp" "$@" 2>&1)
  got=$?
  if [ "$got" != "$status" ] || [ "$actual" != "$expected" ]; then
    printf 'zetcomp %s: status %s (expected %s), output:\n%s\nexpected:\n%s\n' \
      "$*" "$got" "$status" "$actual" "$expected"
    failures=$((failures + 1))
  fi
}

expect 0 ""
expect 1 " 処理中...
ファイル名、ディレクトリ名、またはボリューム ラベルの構文が間違っています。
" ""
expect 1 "missing.zts 処理中...
ファイルが見つかりません。
" missing.zts
expect 0 "シェルへの登録は Windows 版でのみ行えます。" -install

[ "$failures" -eq 0 ]
