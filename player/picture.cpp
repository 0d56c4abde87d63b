#include "player/picture.h"

#include "platform/little_endian.h"
#include "reader/format.h"
#include "reader/strip_check.h"

namespace zetplay {

using zetreader::ByteSpan;

namespace {

// One channel of a bit-field pixel, scaled to 0..255.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  uint64_t largest = 0;

  explicit Channel(uint32_t m) : mask(m) {
    if (mask != 0) {
      while ((mask >> shift & 1) == 0) {
        ++shift;
      }
      largest = mask >> shift;
    }
  }
  uint8_t Of(uint32_t pixel) const {
    if (largest == 0) {
      return 0;
    }
    const uint64_t value = (pixel & mask) >> shift;
    return static_cast<uint8_t>((value * 255 + largest / 2) / largest);
  }
};

struct Decoder {
  uint16_t bitCount;
  ByteSpan masks;  // red, green, blue of a bit-field strip; empty for BI_RGB
  ByteSpan table;  // the colour table
  Channel red{0}, green{0}, blue{0};

  void ReadMasks() {
    uint32_t fields[3] = {0x7C00, 0x03E0, 0x001F};
    if (bitCount == 32) {
      fields[0] = 0xFF0000, fields[1] = 0x00FF00, fields[2] = 0x0000FF;
    }
    for (int i = 0; masks.size >= 12 && i < 3; ++i) {
      fields[i] = zet::ReadLe32(masks.data + 4 * i);
    }
    red = Channel(fields[0]);
    green = Channel(fields[1]);
    blue = Channel(fields[2]);
  }

  void PutIndex(uint32_t index, uint8_t* out) const {
    if (4 * static_cast<uint64_t>(index) + 4 > table.size) {
      out[0] = out[1] = out[2] = 0;
      return;
    }
    const uint8_t* entry = table.data + 4 * index;
    out[0] = entry[2], out[1] = entry[1], out[2] = entry[0];
  }

  void PutFields(uint32_t pixel, uint8_t* out) const {
    out[0] = red.Of(pixel), out[1] = green.Of(pixel), out[2] = blue.Of(pixel);
  }

  void DecodeRow(const uint8_t* row, int width, uint8_t* out) const {
    for (int x = 0; x < width; ++x, out += 3) {
      switch (bitCount) {
        case 1:
          PutIndex(row[x >> 3] >> (7 - (x & 7)) & 1, out);
          break;
        case 4:
          PutIndex(row[x >> 1] >> (x & 1 ? 0 : 4) & 15, out);
          break;
        case 8:
          PutIndex(row[x], out);
          break;
        case 16:
          PutFields(zet::ReadLe16(row + 2 * x), out);
          break;
        case 24:
          out[0] = row[3 * x + 2], out[1] = row[3 * x + 1], out[2] = row[3 * x];
          break;
        case 32:
          PutFields(zet::ReadLe32(row + 4 * x), out);
          break;
      }
    }
  }
};

}  // namespace

Picture DecodePicture(const zetreader::FileBytes& bytes, const zetreader::BitmapBlocks& bitmap,
                      const char* kindName) {
  zetreader::CheckDrawable(bytes, bitmap, kindName);
  Decoder decoder{bitmap.bitCount, zetreader::ColourMasks(bytes, bitmap),
                  zetreader::ColourTable(bytes, bitmap)};
  if (bitmap.bitCount == 16 || bitmap.bitCount == 32) {
    decoder.ReadMasks();
  }
  Picture picture;
  picture.width = bitmap.width;
  picture.height = static_cast<int>(bitmap.rows);
  picture.bitCount = bitmap.bitCount;
  if (bitmap.bitCount <= 8) {
    const uint32_t used = 4u << bitmap.bitCount;  // entries past 2^bits are never indexed
    for (uint32_t i = 0; i + 4 <= decoder.table.size && i < used; i += 4) {
      const uint8_t* entry = decoder.table.data + i;
      picture.palette.push_back(uint32_t{entry[2]} << 16 | entry[1] << 8 | entry[0]);
    }
  }
  const ByteSpan pixels = zetreader::Pixels(bytes, bitmap);
  const size_t rowBytes = bitmap.pixelLength / bitmap.rows;
  const size_t outRow = static_cast<size_t>(picture.width) * 3;
  picture.rgb.resize(outRow * bitmap.rows);
  for (uint32_t y = 0; y < bitmap.rows; ++y) {
    const uint32_t stored = bitmap.height < 0 ? y : bitmap.rows - 1 - y;
    decoder.DecodeRow(pixels.data + stored * rowBytes, picture.width, &picture.rgb[y * outRow]);
  }
  return picture;
}

const uint8_t* FramePixels(const Picture& picture, int frameHeight, int frame) {
  return picture.rgb.data() +
         static_cast<size_t>(frame) * static_cast<size_t>(frameHeight) * picture.width * 3;
}

}  // namespace zetplay
