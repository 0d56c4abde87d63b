#!/usr/bin/env python3
"""Writes the example source (Shift-JIS) and its BMP strips into this folder.

Each strip holds its frames one above the other: 32 pixels wide, 32 pixels per
frame. The frames are plain coloured squares with a moving bar, enough to see
which frame the run-time shows.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests",
                                "support"))
from bmp import bmp_file  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
FRAME = 32


def bmp_8bit(path, frames, palette):
    """A bottom-up 8-bit strip with a 256-entry palette."""
    width, height = FRAME, FRAME * frames
    row = (width + 3) // 4 * 4
    pixels = bytearray()
    for y in range(height - 1, -1, -1):  # bottom-up rows
        frame, inner = divmod(y, FRAME)
        for x in range(width):
            pixels.append(1 + frame % (len(palette) - 1) if abs(x - inner) > 2 else 0)
        pixels += b"\0" * (row - width)
    colours = bytearray()
    for i in range(256):
        r, g, b = palette[i] if i < len(palette) else (0, 0, 0)
        colours += bytes((b, g, r, 0))
    write_bmp(path, width, height, 8, colours, pixels)


def bmp_24bit(path, frames):
    """A top-down 24-bit strip (negative height)."""
    width, height = FRAME, FRAME * frames
    row = (width * 3 + 3) // 4 * 4
    pixels = bytearray()
    for y in range(height):
        frame, inner = divmod(y, FRAME)
        for x in range(width):
            on = abs(x - inner) <= 2
            pixels += bytes((255, 255, 255)) if on else bytes((40 * frame, 80, 200 - 30 * frame))
        pixels += b"\0" * (row - width * 3)
    write_bmp(path, width, -height, 24, b"", pixels)


def write_bmp(path, width, height, bits, colours, pixels):
    with open(path, "wb") as f:
        f.write(bmp_file(width, height, bits, bytes(colours), bytes(pixels)))


# The example source, written in UTF-8 here and stored as Shift-JIS.
SOURCE = """\
; Zetrova の見本: 五種類のメッセージボックスと、そのアニメーション
[basis]
version=11
output=demo.ztr
comment=Zetrova 開発キットの見本
username=見本 太郎
BITMAP=bmp\\plain.bmp
FRAMEHEIGHT=32
FRAMETIME=100
MESSAGE=処理を続けます。
FRAMES1=start: 0; 1; 2;
FRAMES2=goto start;

[BUTTONS]
OK=了解
CANCEL=やめる
ABORT=中止
RETRY=もう一度
IGNORE=無視
YES=はい
NO=いいえ
CLOSE=閉じる
CONTINUE=続ける
HELP=ヘルプ

[NOICON]
; the defaults of [basis], with a suffix of its own
SUFFIX=（お知らせ）

[ASTERISK]
BITMAP=bmp/info.bmp
SUFFIX=（情報）
MESSAGE=ファイルを保存しました。
FRAMES1=loop: for 0 to 3;
FRAMES2=  repeat 3 for 2;
FRAMES3=  prob 1 of 4 goto loop;
FRAMES4=  for 3 to 0;
FRAMES5=goto loop;

[EXCLAMATION]
BITMAP=bmp\\warn.bmp
FRAMETIME=80
SUFFIX=（注意）
MESSAGE="  空き容量が少なくなっています。  "
FRAMES1=blink: 0; 1; prob 3 of 4 goto blink;
FRAMES2=shake: repeat 2 for 5; for 3 to 5; prob 1 of 2 goto shake; goto blink;

[STOP]
BITMAP=bmp\\stop.bmp
FRAMEHEIGHT=0
SUFFIX=（エラー）
MESSAGE=表示できません。ソフトを終了します。
FRAMES1=0;

[QUESTION]
BITMAP=bmp\\ask.bmp
SUFFIX=（確認）
MESSAGE=変更を保存しますか？
FRAMES1=ask: 0; 1; 2;
FRAMES2=  prob 1 of 2 goto ask;
FRAMES3=think: repeat 1 for 10; for 2 to 0; goto think;
"""

TEMPLATE = """\
; Zetrova のソース。値を書き換えてから、右クリックの「コンパイル」で変換します。
[basis]
version=11
output=new.ztr
comment=
username=
BITMAP=
FRAMEHEIGHT=0
FRAMETIME=100
MESSAGE=
FRAMES1=0;

[BUTTONS]
OK=OK

[NOICON]
[ASTERISK]
[EXCLAMATION]
[STOP]
[QUESTION]
"""


def main():
    os.makedirs(os.path.join(HERE, "bmp"), exist_ok=True)
    grey = [(255, 255, 255), (200, 200, 200), (150, 150, 150), (100, 100, 100)]
    blue = [(255, 255, 255), (40, 90, 200), (60, 120, 220), (90, 150, 240), (120, 180, 250)]
    yellow = [(0, 0, 0), (250, 200, 0), (240, 170, 0), (230, 140, 0), (220, 110, 0), (210, 80, 0)]
    green = [(255, 255, 255), (30, 160, 60), (60, 190, 90), (90, 220, 120)]
    bmp_8bit(os.path.join(HERE, "bmp", "plain.bmp"), 3, grey)
    bmp_8bit(os.path.join(HERE, "bmp", "info.bmp"), 4, blue)
    bmp_8bit(os.path.join(HERE, "bmp", "warn.bmp"), 6, yellow)
    bmp_24bit(os.path.join(HERE, "bmp", "stop.bmp"), 1)
    bmp_8bit(os.path.join(HERE, "bmp", "ask.bmp"), 3, green)
    for name, text in (("demo.zts", SOURCE), ("sample.zts", TEMPLATE)):
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(text.replace("\n", "\r\n").encode("cp932"))


if __name__ == "__main__":
    main()
