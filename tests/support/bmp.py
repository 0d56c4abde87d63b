"""BMP files as the kit's scripts write them: a 14-byte file header, a 40-byte
BITMAPINFOHEADER (resolution 2835 pixels per metre, biSizeImage set), the
colour table and the pixel rows as given."""
import struct


def bmp_file(width, height, bits, colours, pixels):
    """The bytes of the file; a negative height stores the rows top-down."""
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(pixels), 2835, 2835, 0, 0)
    offset = 14 + len(info) + len(colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + colours + pixels
