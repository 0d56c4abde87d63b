#!/bin/sh
# Creates the Wine prefix and compiles the Japanese locale; run once per build tree.
# The prefix is a 64-bit one, with syswow64 for 32-bit programs when the 32-bit
# Wine is installed.
set -eu
run=$1
dir=$2
mkdir -p "$dir/locale"
localedef -i ja_JP -f UTF-8 "$dir/locale/ja_JP.UTF-8" 2>/dev/null || [ -f "$dir/locale/ja_JP.UTF-8/LC_CTYPE" ]
"$run" --wine64 wineboot -i >/dev/null 2>&1
# Registry files with Japanese names must be UTF-16LE with a BOM.
{ printf '\377\376'; iconv -f UTF-8 -t UTF-16LE "$dir/prefix-settings.reg"; } >"$dir/prefix-settings-utf16.reg"
"$run" --wine64 regedit /S "$dir/prefix-settings-utf16.reg" >/dev/null 2>&1
WINEPREFIX="$dir/prefix" /usr/lib/wine/wineserver64 -w
