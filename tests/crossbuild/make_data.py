#!/usr/bin/env python3
"""Writes the sources and bitmaps of data/: Shift-JIS sources in the ways
people write them on Windows, and small BMP strips of every bit depth.
The files are committed; run this only to change them."""
import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from bmp import bmp_file  # noqa: E402

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "data")


def source(name, text, newline="\r\n"):
    body = text.strip("\n").replace("\n", newline) + newline
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(body.encode("cp932"))


def bitmap(name, width, height, bits, compression=0, masks=()):
    """Bit-field masks follow the 40-byte header, where the colour table would."""
    colors = 1 << bits if bits <= 8 else 0
    row = (bits * width + 31) // 32 * 4
    rows = abs(height)
    palette = bytes((i * 37 + c * 11) & 0xFF for i in range(colors) for c in range(4))
    palette += b"".join(struct.pack("<I", mask) for mask in masks)
    pixels = bytes((y * 29 + x * 7 + bits) & 0xFF for y in range(rows) for x in range(row))
    with open(os.path.join(HERE, "bmp", name), "wb") as f:
        f.write(bmp_file(width, height, bits, palette, pixels, compression))


os.makedirs(os.path.join(HERE, "bmp"), exist_ok=True)
bitmap("a24.bmp", 12, 64, 24)
bitmap("b8.bmp", 16, 32, 8)
bitmap("c4.bmp", 10, -30, 4)  # top-down
bitmap("d1.bmp", 8, 16, 1)
bitmap("e32.bmp", 8, -24, 32)
bitmap("f16.bmp", 6, 16, 16, 3, (0xF800, 0x07E0, 0x001F))  # BI_BITFIELDS, 5-6-5
bitmap("g32.bmp", 4, -8, 32, 6, (0xFF, 0xFF00, 0xFF0000, 0xFF000000))  # BI_ALPHABITFIELDS

source("full.zts", """
; 五種類すべてと、十個のボタン
[basis]
version=11
output=out\\full.ztr
comment=Zetrova 試験 ＼～∥－￠￡￢ \\ ~ ①ⅰ纊 表示
username=山田 太郎
BITMAP=bmp\\a24.bmp
FRAMEHEIGHT=16
FRAMETIME=100
MESSAGE=既定のメッセージです。
FRAMES1=start: 0; 1;
FRAMES2=  repeat 2 for 3;
FRAMES3=goto start;

[BUTTONS]
OK=了解
CANCEL=取消
ABORT=中止
RETRY=再試行
IGNORE=無視
YES=はい
NO=いいえ
CLOSE=閉じる
CONTINUE=続行
HELP=ヘルプ

[NOICON]
SUFFIX=（お知らせ）

[ASTERISK]
BITMAP=bmp\\b8.bmp
FRAMEHEIGHT=8
SUFFIX=（情報）
MESSAGE=ファイルを保存しました。
FRAMES1=loop: for 0 to 3; prob 1 of 4 goto loop;
FRAMES2=goto loop;

[EXCLAMATION]
BITMAP=bmp/c4.bmp
FRAMEHEIGHT=10
FRAMETIME=-5
MESSAGE=ソフトの能力表
FRAMES1=0; 1; 2;

[STOP]
BITMAP=bmp\\d1.bmp
FRAMEHEIGHT=0
FRAMES1=0;

[QUESTION]
BITMAP=bmp\\e32.bmp
FRAMEHEIGHT=8
SUFFIX=？
FRAMES1=a: b: 2; goto a;
""")

source("bitfields.zts", """
[basis]
version=11
output=out\\bitfields.ztr
BITMAP=bmp\\f16.bmp
FRAMEHEIGHT=8
FRAMES1=0; 1;

[ASTERISK]
BITMAP=bmp\\g32.bmp
FRAMEHEIGHT=4
""")

source("spacing.zts", """
;a comment line
   ; an indented comment
[ Basis ]
 version = 11
OUTPUT\t=\tout/spacing.ztr
comment = "  quoted: the blanks inside stay  "
username='single'
comment=a repeated key: the first one counts
bitmap = bmp\\a24.bmp
frameheight=16
FRAMES1 = 0 ; 1;
message = x ; y # no comment at the end of a line
suffix="a"b"

[buttons]
ok = "OK"
Cancel=""
YES=a=b

[noicon]
FRAMES1=1;
[NOICON]
FRAMES1=3;
SUFFIX=the second section of a name is never read

[asterisk]
MESSAGE=first
MESSAGE=second

[Stop]
FRAMES1=0;
FRAMES3=1;

[QUESTION]
FRAMES2=1;
""", newline="\n")

source("empty.zts", """
[basis]
version=11
output=out\\empty.ztr
BITMAP=bmp\\d1.bmp
""")

source("shared.zts", """
[basis]
version=11
output=out/shared.ztr
BITMAP=bmp\\a24.bmp
FRAMEHEIGHT=16

[ASTERISK]
BITMAP=bmp\\b8.bmp
FRAMEHEIGHT=0

[EXCLAMATION]
BITMAP=bmp\\a24.bmp

[STOP]
BITMAP=.\\bmp\\a24.bmp

[QUESTION]
BITMAP=bmp\\b8.bmp
FRAMEHEIGHT=4
FRAMES1=repeat 7 for 65535; for 7 to 0;
""")

# Its bitmap is a24.bmp followed by 3 GB that no block reaches, which
# run_crossbuild.sh makes (sparse) in each work folder: the 32-bit build has
# no room to map it whole.
source("trailing.zts", """
[basis]
version=11
output=out\\trailing.ztr
BITMAP=bmp\\trailing.bmp
FRAMEHEIGHT=16
""")

source("fail_frames.zts", """
[basis]
version=11
output=out\\fail_frames.ztr
BITMAP=bmp\\a24.bmp
[STOP]
FRAMES1=0;
FRAMES2=0 2;
""")

source("fail_height.zts", """
[basis]
version=11
output=out\\fail_height.ztr
BITMAP=bmp\\a24.bmp
FRAMEHEIGHT=65
""")

source("fail_version.zts", """
[basis]
version=10
output=out\\fail_version.ztr
""")

source("fail_same.zts", """
[basis]
version=11
output=.\\fail_same.zts
BITMAP=bmp\\d1.bmp
""")

source("fail_nobitmap.zts", """
[basis]
version=11
output=out\\fail_nobitmap.ztr
""")
