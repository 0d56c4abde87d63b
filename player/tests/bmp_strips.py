"""BMP strips of every pixel format the player reads, with the RGB that each
pixel must show, and the sources that compile them with zetcomp."""
import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests",
                                "support"))
from bmp import bmp_file  # noqa: E402

WIDTH = 5  # odd, so that every depth pads its rows
FRAME_HEIGHT = 6
FRAMES = 4


def scale(value, bits):
    """A channel of `bits` bits on 0..255, rounded."""
    largest = (1 << bits) - 1
    return (value * 255 + largest // 2) // largest


class Strip:
    """One format: `pixel(x, y)` gives the stored value and the RGB shown."""

    def __init__(self, name, bits, top_down, compression=0, palette=None,
                 masks=None, header_size=40, colours_used=0):
        self.name = name
        self.bits = bits
        self.top_down = top_down
        self.compression = compression
        self.palette = palette or []
        self.masks = masks
        self.header_size = header_size
        self.colours_used = colours_used
        self.rows = FRAME_HEIGHT * FRAMES

    def pixel(self, x, y):
        """(stored value, (r, g, b)) of display row y, column x."""
        n = x + 7 * y
        if self.bits <= 8:
            index = (n * 5 + y // FRAME_HEIGHT) % (1 << self.bits)
            if index >= len(self.palette):
                return index, (0, 0, 0)  # past the colour table: black
            return index, self.palette[index]
        if self.bits == 24:
            rgb = ((n * 37) & 255, (n * 11 + 60) & 255, (255 - n * 5) & 255)
            return rgb, rgb
        masks = self.masks or ((0x7C00, 0x03E0, 0x001F) if self.bits == 16
                               else (0xFF0000, 0x00FF00, 0x0000FF))
        value, rgb = 0, []
        if len(masks) == 4:
            value = (n * 13) << 24 & masks[3]  # alpha, which no blit shows
        for i, mask in enumerate(masks[:3]):
            shift = (mask & -mask).bit_length() - 1
            width = bin(mask).count("1")
            channel = (n * (3 + 2 * i) + 9 * i) % (1 << width)
            value |= channel << shift
            rgb.append(scale(channel, width))
        return value, tuple(rgb)

    def frame_rgb(self, frame):
        """The RGB bytes of frame `frame`, top row first."""
        out = bytearray()
        for y in range(frame * FRAME_HEIGHT, (frame + 1) * FRAME_HEIGHT):
            for x in range(WIDTH):
                out += bytes(self.pixel(x, y)[1])
        return bytes(out)

    def row_bytes(self, y):
        row = bytearray()
        if self.bits <= 8:
            bits = 0
            count = 0
            for x in range(WIDTH):
                bits = bits << self.bits | self.pixel(x, y)[0]
                count += self.bits
                while count >= 8:
                    row.append(bits >> (count - 8) & 255)
                    count -= 8
            if count:
                row.append(bits << (8 - count) & 255)
        else:
            for x in range(WIDTH):
                value = self.pixel(x, y)[0]
                if self.bits == 24:
                    row += bytes((value[2], value[1], value[0]))
                else:
                    row += value.to_bytes(self.bits // 8, "little")
        while len(row) % 4:
            row.append(0)
        return bytes(row)

    def bmp(self):
        order = range(self.rows) if self.top_down else reversed(range(self.rows))
        pixels = b"".join(self.row_bytes(y) for y in order)
        table = b"".join(bytes((b, g, r, 0)) for r, g, b in self.palette)
        if self.masks and self.header_size == 40:
            table = b"".join(struct.pack("<I", m) for m in self.masks)  # after the header
        height = -self.rows if self.top_down else self.rows
        rest = b""
        if self.header_size > 40:
            rest = b"".join(struct.pack("<I", m) for m in self.masks or ())
            rest += bytes(self.header_size - 40 - len(rest))
        return bmp_file(WIDTH, height, self.bits, table, pixels, self.compression,
                        self.colours_used, rest)


def palette(count):
    return [((i * 67) & 255, (i * 151 + 30) & 255, (i * 23 + 200) & 255) for i in range(count)]


def strips():
    """Every depth in both row orders; bit fields after a 40-byte header (the
    masks alone, or read as a colour table of biClrUsed 3 as older files
    have them; BI_ALPHABITFIELDS with four) and in larger headers."""
    made = []
    for top_down in (False, True):
        order = "topdown" if top_down else "bottomup"
        made += [
            Strip(f"1bit_{order}", 1, top_down, palette=palette(2)),
            Strip(f"4bit_{order}", 4, top_down, palette=palette(16)),
            Strip(f"8bit_short_table_{order}", 8, top_down, palette=palette(20),
                  colours_used=20),
            Strip(f"16bit_555_{order}", 16, top_down),
            Strip(f"16bit_565_fields_{order}", 16, top_down, compression=3,
                  masks=(0xF800, 0x07E0, 0x001F)),
            Strip(f"24bit_{order}", 24, top_down),
            Strip(f"32bit_{order}", 32, top_down),
            Strip(f"32bit_odd_fields_{order}", 32, top_down, compression=3,
                  masks=(0x000003FF, 0x3FF00000, 0x000FFC00)),
            Strip(f"32bit_fields_v5_{order}", 32, top_down, compression=3,
                  masks=(0x3FF00000, 0x000FFC00, 0x000003FF), header_size=124),
        ]
    made += [
        Strip("16bit_555_fields", 16, False, compression=3, masks=(0x7C00, 0x03E0, 0x001F)),
        Strip("16bit_565_fields_clrused3", 16, False, compression=3,
              masks=(0xF800, 0x07E0, 0x001F), colours_used=3),
        Strip("32bit_default_fields", 32, True, compression=3,
              masks=(0xFF0000, 0x00FF00, 0x0000FF)),
        Strip("32bit_alpha_fields", 32, False, compression=6,
              masks=(0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000)),
        Strip("16bit_444_fields_v3", 16, True, compression=6,
              masks=(0x0F00, 0x00F0, 0x000F, 0xF000), header_size=56),
    ]
    return made


def source(bmp_name, output, frames, frame_time):
    """A source whose five kinds play `frames` on one strip (ASCII, so
    Shift-JIS as it is)."""
    lines = ["[basis]", "version=11", f"output={output}", f"BITMAP={bmp_name}",
             f"FRAMEHEIGHT={FRAME_HEIGHT}", f"FRAMETIME={frame_time}",
             f"FRAMES1={frames}", ""]
    return "\r\n".join(lines).encode("ascii")
