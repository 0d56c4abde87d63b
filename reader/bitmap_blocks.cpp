#include "reader/bitmap_blocks.h"

#include <cstdlib>
#include <limits>
#include <string>

#include "reader/block_offset.h"
#include "reader/file_format.h"
#include "reader/format.h"

namespace zetreader {
namespace {

constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();
constexpr int64_t kInt32Min = std::numeric_limits<int32_t>::min();

// Entries of the colour table: biClrUsed, or 2^biBitCount up to 8 bits.
uint32_t ColourCount(uint32_t clrUsed, uint16_t bitCount) {
  if (clrUsed != 0) {
    return clrUsed;
  }
  return bitCount <= 8 ? 1u << bitCount : 0;
}

constexpr uint32_t kBitFields = 3;
constexpr uint32_t kAlphaBitFields = 6;

// A 40-byte header holds no masks: they follow it, three for BI_BITFIELDS,
// four for BI_ALPHABITFIELDS. Larger headers hold them.
uint32_t MaskLength(uint32_t headerSize, uint32_t compression) {
  if (headerSize != kInfoHeaderSize) {
    return 0;
  }
  return compression == kBitFields ? 12 : compression == kAlphaBitFields ? 16 : 0;
}

// Compilers before the masks were kept wrote the pixel block where the masks
// belong (or the file ends there): nothing says how such pixels are coloured.
void CheckMasks(const FileBytes& bytes, const BitmapBlocks& bitmap, const char* kindName) {
  const uint64_t masksAt = uint64_t{bitmap.infoOffset} + bitmap.headerSize;
  const bool cut = !bytes.Holds(masksAt, bitmap.maskLength);
  const bool overlaid =
      bitmap.bitsOffset >= masksAt && bitmap.bitsOffset < masksAt + bitmap.maskLength;
  if (bitmap.maskLength != 0 && (cut || overlaid)) {
    throw FileFault{
        bitmap.infoOffset + 16,
        Format("%s のビットマップ: %s のマスクがファイルにありません (マスクを残さない"
               "以前の zetcomp で作られたファイルです)。ソースをコンパイルし直して"
               "ください。",
               kindName, bitmap.compression == kBitFields ? "BI_BITFIELDS" : "BI_ALPHABITFIELDS")};
  }
}

void ReadInfoHeader(const FileBytes& bytes, BitmapBlocks& bitmap, const char* kindName) {
  const uint32_t at = bitmap.infoOffset;
  if (!bytes.Holds(at, kInfoHeaderSize)) {
    throw FileFault{at, Format("%s のビットマップ情報ヘッダー (40 バイト) がファイルの終わりで"
                               "切れています。",
                               kindName)};
  }
  bitmap.headerSize = bytes.U32(at);
  bitmap.width = bytes.I32(at + 4);
  bitmap.height = bytes.I32(at + 8);
  bitmap.planes = bytes.U16(at + 12);
  bitmap.bitCount = bytes.U16(at + 14);
  if (bitmap.headerSize < kInfoHeaderSize) {
    throw FileFault{at, Format("%s のビットマップ情報ヘッダーの大きさ (biSize) %u が 40 "
                               "未満です。",
                               kindName, bitmap.headerSize)};
  }
  bitmap.compression = bytes.U32(at + 16);
  bitmap.maskLength = MaskLength(bitmap.headerSize, bitmap.compression);
  CheckMasks(bytes, bitmap, kindName);
  bitmap.colours = ColourCount(bytes.U32(at + 32), bitmap.bitCount);
  const uint64_t infoLength =
      uint64_t{bitmap.headerSize} + bitmap.maskLength + 4 * uint64_t{bitmap.colours};
  if (!bytes.Holds(at, infoLength)) {
    throw FileFault{at, Format("%s のビットマップ情報と色テーブル (%s バイト) がファイルの"
                               "終わりを越えています。",
                               kindName, std::to_string(infoLength).c_str())};
  }
  bitmap.infoLength = static_cast<uint32_t>(infoLength);
}

// ((biBitCount * biWidth + 31) / 32) * 4 * |biHeight|, which readers compute
// in signed 32 bits: every step must stay in that range.
void ComputePixelLength(BitmapBlocks& bitmap, const char* kindName) {
  const int64_t rows = std::llabs(int64_t{bitmap.height});
  const int64_t rowBits = int64_t{bitmap.bitCount} * bitmap.width;
  const int64_t rowBytes = (rowBits + 31) / 32 * 4;
  // Only a row and a height that fit 32 bits keep the product in 64 bits.
  const bool rowFits = rows <= kInt32Max && rowBits >= kInt32Min && rowBits + 31 <= kInt32Max;
  const int64_t length = rowFits ? rowBytes * rows : 0;
  const uint32_t at = bitmap.infoOffset + 4;
  if (!rowFits || length > kInt32Max || length < kInt32Min) {
    throw FileFault{at, Format("%s のビットマップの幅 %d、高さ %d、%u ビットではピクセル"
                               "ブロックの大きさが 32 ビットに収まりません。",
                               kindName, bitmap.width, bitmap.height, bitmap.bitCount)};
  }
  if (length < 0) {
    throw FileFault{at, Format("%s のビットマップの幅 %d ではピクセルブロックの大きさが負に"
                               "なります。",
                               kindName, bitmap.width)};
  }
  bitmap.rows = static_cast<uint32_t>(rows);
  bitmap.pixelLength = static_cast<uint32_t>(length);
}

}  // namespace

BitmapBlocks ReadBitmapBlocks(const FileBytes& bytes, uint32_t infoField, uint32_t bitsField,
                              const char* kindName) {
  BitmapBlocks bitmap;
  bitmap.infoOffset =
      ReadBlockOffset(bytes, infoField, Format("%s のビットマップ情報", kindName).c_str());
  bitmap.bitsOffset =
      ReadBlockOffset(bytes, bitsField, Format("%s のピクセルブロック", kindName).c_str());
  ReadInfoHeader(bytes, bitmap, kindName);
  ComputePixelLength(bitmap, kindName);
  if (!bytes.Holds(bitmap.bitsOffset, bitmap.pixelLength)) {
    throw FileFault{bitmap.bitsOffset,
                    Format("%s のピクセルブロック (%u バイト) がファイルの終わりを越えています。",
                           kindName, bitmap.pixelLength)};
  }
  return bitmap;
}

ByteSpan InfoHeader(const FileBytes& bytes, const BitmapBlocks& bitmap) {
  return bytes.Span(bitmap.infoOffset, bitmap.headerSize);
}

ByteSpan Masks(const FileBytes& bytes, const BitmapBlocks& bitmap) {
  return bytes.Span(bitmap.infoOffset + bitmap.headerSize, bitmap.maskLength);
}

ByteSpan ColourTable(const FileBytes& bytes, const BitmapBlocks& bitmap) {
  const uint32_t before = bitmap.headerSize + bitmap.maskLength;
  return bytes.Span(bitmap.infoOffset + before, bitmap.infoLength - before);
}

ByteSpan Pixels(const FileBytes& bytes, const BitmapBlocks& bitmap) {
  return bytes.Span(bitmap.bitsOffset, bitmap.pixelLength);
}

}  // namespace zetreader
