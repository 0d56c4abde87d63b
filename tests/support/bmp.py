"""BMP files as the kit's scripts write them: a 14-byte file header, a 40-byte
BITMAPINFOHEADER (resolution 2835 pixels per metre, biSizeImage set), the
colour table and the pixel rows as given."""
import struct


def bmp_file(width, height, bits, colours, pixels, compression=0, colours_used=0,
             header_rest=b""):
    """The bytes of the file; a negative height stores the rows top-down.
    `header_rest` follows the 40 bytes of the info header (a larger header's
    bit-field masks and the rest), and counts in its size."""
    info = struct.pack("<IiiHHIIiiII", 40 + len(header_rest), width, height, 1, bits, compression,
                       len(pixels), 2835, 2835, colours_used, 0) + header_rest
    offset = 14 + len(info) + len(colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + colours + pixels
