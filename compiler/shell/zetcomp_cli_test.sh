#!/bin/sh
# The Linux program's command line, as a user types it: each case runs zetcomp
# in a fresh folder and checks its exit status and the whole of its output.
#   zetcomp_cli_test.sh ZETCOMP VERSION
set -u
zetcomp=$1
version=$2
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
# "/" starts a path on Linux; only the two option words keep it.
expect 1 "$work/a.zts 処理中...
ファイルが見つかりません。" "$work/a.zts"
expect 0 "シェルへの登録は Windows 版でのみ行えます。" /install "$work/a.zts"
expect 0 "zetcomp: オプション -x は知らないので無視します (--help で一覧)。" -x
expect 0 "zetcomp $version" --version
if ! (cd "$work" && "$zetcomp" --help) | grep -q "^使い方: zetcomp"; then
  echo "zetcomp --help: no usage"
  failures=$((failures + 1))
fi
# A log that cannot be written is a failure, said on standard error.
if (cd "$work" && "$zetcomp" missing.zts >/dev/full 2>"$work/err"); then
  echo "zetcomp > /dev/full: status 0"
  failures=$((failures + 1))
fi
grep -q "^zetcomp: 標準出力に書けません" "$work/err" || {
  echo "zetcomp > /dev/full: no message on standard error"
  failures=$((failures + 1))
}

[ "$failures" -eq 0 ]
