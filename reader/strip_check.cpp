#include "reader/strip_check.h"

#include <string>

#include "reader/format.h"

namespace zetreader {

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

// `field`: the header field at fault, from the start of the info block.
[[noreturn]] void Refuse(const BitmapBlocks& bitmap, const char* kindName, uint32_t field,
                         const std::string& text) {
  throw FileFault{bitmap.infoOffset + field,
                  Format("%s のビットマップ: %s", kindName, text.c_str())};
}

void CheckSize(const BitmapBlocks& bitmap, const char* kindName) {
  if (bitmap.width < 1) {
    Refuse(bitmap, kindName, 4, Format("幅 %d では表示するピクセルがありません。", bitmap.width));
  }
  if (int64_t{bitmap.width} * bitmap.rows > kLargestStrip) {
    Refuse(bitmap, kindName, 4,
           Format("%d × %u ピクセルは大きすぎます (再生できるのは %lld ピクセルまで)。",
                  bitmap.width, bitmap.rows, static_cast<long long>(kLargestStrip)));
  }
  const uint16_t depth = bitmap.bitCount;
  if (depth != 1 && depth != 4 && depth != 8 && depth != 16 && depth != 24 && depth != 32) {
    Refuse(bitmap, kindName, 14,
           Format("%u ビットのピクセルは再生できません (1、4、8、16、24、32 ビットだけです)。",
                  depth));
  }
}

void CheckCompression(const BitmapBlocks& bitmap, const char* kindName) {
  const uint32_t compression = bitmap.compression;
  const char* names[] = {"", "RLE8", "RLE4", "", "JPEG", "PNG"};
  if (compression == kRle8 || compression == kRle4 || compression == kJpeg || compression == kPng) {
    Refuse(bitmap, kindName, 16,
           Format("%s で圧縮されています。再生できるのは無圧縮 (BI_RGB) かビット"
                  "フィールド (BI_BITFIELDS) のビットマップだけです。",
                  names[compression]));
  }
  if (compression != kRgb && compression != kBitFields && compression != kAlphaBitFields) {
    Refuse(bitmap, kindName, 16,
           Format("圧縮の種類 (biCompression) %u は再生できません。", compression));
  }
  if (compression != kRgb && bitmap.bitCount != 16 && bitmap.bitCount != 32) {
    Refuse(bitmap, kindName, 14,
           Format("ビットフィールドは 16 か 32 ビットのピクセルにしか使えません (%u ビット)。",
                  bitmap.bitCount));
  }
}

}  // namespace

void CheckDrawable(const FileBytes& bytes, const BitmapBlocks& bitmap, const char* kindName) {
  CheckSize(bitmap, kindName);
  CheckCompression(bitmap, kindName);
  if (bitmap.compression != kRgb && ColourMasks(bytes, bitmap).size == 0) {
    Refuse(bitmap, kindName, 16,
           Format("BI_BITFIELDS のマスクがファイルにありません (情報ヘッダーが %u バイト)。",
                  bitmap.headerSize));
  }
}

ByteSpan ColourMasks(const FileBytes& bytes, const BitmapBlocks& bitmap) {
  constexpr uint32_t kMasks = 12;
  if (bitmap.compression == kRgb) {
    return {nullptr, 0};
  }
  if (bitmap.headerSize >= 52) {
    return bytes.Span(bitmap.infoOffset + 40, kMasks);
  }
  const ByteSpan after = Masks(bytes, bitmap);
  if (after.size >= kMasks) {
    return {after.data, kMasks};
  }
  const ByteSpan table = ColourTable(bytes, bitmap);
  return table.size >= kMasks ? ByteSpan{table.data, kMasks} : ByteSpan{nullptr, 0};
}

}  // namespace zetreader
