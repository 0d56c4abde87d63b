#include "player/picture.h"

#include <cstring>

#include "platform/little_endian.h"
#include "reader/format.h"

namespace zetplay {

using zetreader::ByteSpan;
using zetreader::FileFault;
using zetreader::Format;

namespace {

enum Compression : uint32_t {
  kRgb = 0,
  kRle8 = 1,
  kRle4 = 2,
  kBitFields = 3,
  kJpeg = 4,
  kPng = 5,
  kAlphaBitFields = 6,
};

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
  const uint8_t* info;
  uint32_t headerSize;
  uint16_t bitCount;
  uint32_t compression;
  ByteSpan fields;  // the masks after a 40-byte header
  ByteSpan table;   // the colour table
  Channel red{0}, green{0}, blue{0};
  const char* owner;
  uint32_t infoOffset;

  [[noreturn]] void Refuse(uint32_t field, const std::string& text) const {
    throw FileFault{infoOffset + field, Format("%s のビットマップ: %s", owner, text.c_str())};
  }

  void CheckCompression() const {
    const char* names[] = {"", "RLE8", "RLE4", "", "JPEG", "PNG"};
    if (compression == kRle8 || compression == kRle4 || compression == kJpeg ||
        compression == kPng) {
      Refuse(16, Format("%s で圧縮されています。再生できるのは無圧縮 (BI_RGB) かビット"
                        "フィールド (BI_BITFIELDS) のビットマップだけです。",
                        names[compression]));
    }
    if (compression != kRgb && compression != kBitFields && compression != kAlphaBitFields) {
      Refuse(16, Format("圧縮の種類 (biCompression) %u は再生できません。", compression));
    }
    const bool fields = compression != kRgb;
    if (fields && bitCount != 16 && bitCount != 32) {
      Refuse(14, Format("ビットフィールドは 16 か 32 ビットのピクセルにしか使えません (%u "
                        "ビット)。",
                        bitCount));
    }
  }

  void ReadMasks() {
    uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
    if (bitCount == 32) {
      masks[0] = 0xFF0000, masks[1] = 0x00FF00, masks[2] = 0x0000FF;
    }
    if (compression != kRgb) {
      const uint8_t* at = nullptr;
      if (headerSize >= 52) {
        at = info + 40;
      } else if (fields.size >= 12) {
        at = fields.data;
      } else if (table.size >= 12) {
        at = table.data;  // a header of 41 to 51 bytes: the colour table's first entries
      } else {
        Refuse(16, Format("BI_BITFIELDS のマスクがファイルにありません (情報ヘッダーが %u "
                          "バイト)。",
                          headerSize));
      }
      for (int i = 0; i < 3; ++i) {
        masks[i] = zet::ReadLe32(at + 4 * i);
      }
    }
    red = Channel(masks[0]);
    green = Channel(masks[1]);
    blue = Channel(masks[2]);
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

void CheckSize(const Decoder& decoder, const zetreader::BitmapBlocks& bitmap) {
  if (bitmap.width < 1) {
    decoder.Refuse(4, Format("幅 %d では表示するピクセルがありません。", bitmap.width));
  }
  if (int64_t{bitmap.width} * bitmap.rows > kLargestPicture) {
    decoder.Refuse(4, Format("%d × %u ピクセルは大きすぎます (再生できるのは %lld ピクセル"
                             "まで)。",
                             bitmap.width, bitmap.rows, static_cast<long long>(kLargestPicture)));
  }
  const uint16_t depth = bitmap.bitCount;
  if (depth != 1 && depth != 4 && depth != 8 && depth != 16 && depth != 24 && depth != 32) {
    decoder.Refuse(14, Format("%u ビットのピクセルは再生できません (1、4、8、16、24、32 "
                              "ビットだけです)。",
                              depth));
  }
}

}  // namespace

Picture DecodePicture(const zetreader::FileBytes& bytes, const zetreader::BitmapBlocks& bitmap,
                      const char* owner) {
  const ByteSpan header = zetreader::InfoHeader(bytes, bitmap);
  Decoder decoder{header.data,
                  bitmap.headerSize,
                  bitmap.bitCount,
                  bitmap.compression,
                  zetreader::Masks(bytes, bitmap),
                  zetreader::ColourTable(bytes, bitmap),
                  Channel(0),
                  Channel(0),
                  Channel(0),
                  owner,
                  bitmap.infoOffset};
  CheckSize(decoder, bitmap);
  decoder.CheckCompression();
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
