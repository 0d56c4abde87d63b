#include "compiler/output/bitmap_layout.h"

namespace zet {
namespace {

constexpr uint32_t kMinimumSize = kBitmapFileHeaderSize + kBitmapInfoHeaderSize;
constexpr uint16_t kBitmapType = 0x4D42;  // "BM"

// The blocks the writer copies must lie inside the file. All sums are taken
// in 64 bits, where none of them can wrap.
BitmapFault CheckBlocks(const uint8_t* base, uint32_t fileSize, BitmapLayout& layout) {
  // Readers of the compiled file take a whole BITMAPINFOHEADER from the info
  // block; a shorter one (an OS/2 core header, or a damaged field) would
  // have them read the colour table and pixels as header fields.
  const uint32_t infoSize = BitmapField32(base, kBmpInfoSizeField);
  if (infoSize < kBitmapInfoHeaderSize) {
    return BitmapFault::HeaderSize;
  }
  // The masks say how the pixels are coloured: the compiled file must keep
  // them, and they lie between the header and the colour table.
  layout.maskSize = BitFieldMaskSize(infoSize, BitmapField32(base, kBmpCompressionField));
  const uint64_t headers = uint64_t{kBitmapFileHeaderSize} + infoSize + layout.maskSize;
  if (layout.maskSize != 0 && headers > fileSize) {
    return BitmapFault::Masks;
  }
  const uint64_t infoBlock = headers - kBitmapFileHeaderSize + uint64_t{4} * layout.colorCount;
  if (kBitmapFileHeaderSize + infoBlock > fileSize) {
    return BitmapFault::ColorTable;
  }
  const int32_t signedHeight = static_cast<int32_t>(BitmapField32(base, kBmpHeightField));
  if (signedHeight == INT32_MIN) {
    return BitmapFault::Height;  // its absolute value is no 32-bit signed number
  }
  // Rows are rounded up to 4 bytes, as the format stores them.
  const int64_t rowBits = int64_t{BitmapField16(base, kBmpBitCountField)} *
                              static_cast<int32_t>(BitmapField32(base, kBmpWidthField)) +
                          31;
  if (rowBits < 0 || rowBits > INT32_MAX) {
    return BitmapFault::RowSize;
  }
  const uint64_t rowSize = static_cast<uint64_t>(rowBits / 32 * 4);
  const uint64_t rows =
      static_cast<uint64_t>(signedHeight < 0 ? -int64_t{signedHeight} : signedHeight);
  const uint64_t pixelBlock = rowSize * rows;
  const uint64_t pixelEnd = uint64_t{BitmapField32(base, kBmpOffBitsField)} + pixelBlock;
  if (pixelEnd > fileSize) {
    return BitmapFault::Pixels;
  }
  const uint64_t infoEnd = kBitmapFileHeaderSize + infoBlock;
  layout.colorTableOffset = static_cast<uint32_t>(headers);
  layout.height = static_cast<uint32_t>(rows);
  layout.bitsOffset = BitmapField32(base, kBmpOffBitsField);
  layout.infoBlockSize = static_cast<uint32_t>(infoBlock);
  layout.pixelBlockSize = static_cast<uint32_t>(pixelBlock);
  layout.extent = static_cast<uint32_t>(infoEnd > pixelEnd ? infoEnd : pixelEnd);
  return BitmapFault::None;
}

}  // namespace

uint32_t BitFieldMaskSize(uint32_t infoSize, uint32_t compression) {
  if (infoSize != kBitmapInfoHeaderSize) {
    return 0;
  }
  return compression == kBiBitFields ? 12 : compression == kBiAlphaBitFields ? 16 : 0;
}

uint16_t BitmapField16(const uint8_t* file, uint32_t offset) {
  return static_cast<uint16_t>(file[offset] | file[offset + 1] << 8);
}

uint32_t BitmapField32(const uint8_t* file, uint32_t offset) {
  return static_cast<uint32_t>(file[offset]) | static_cast<uint32_t>(file[offset + 1]) << 8 |
         static_cast<uint32_t>(file[offset + 2]) << 16 |
         static_cast<uint32_t>(file[offset + 3]) << 24;
}

BitmapFault CheckBitmap(const uint8_t* base, uint32_t fileSize, BitmapLayout& layout) {
  if (fileSize < kMinimumSize) {
    return BitmapFault::TooShort;
  }
  if (BitmapField16(base, 0) != kBitmapType) {
    return BitmapFault::NotBitmap;
  }
  if (BitmapField32(base, kBmpSizeField) > fileSize) {
    return BitmapFault::FileSizeField;
  }
  if (BitmapField16(base, kBmpPlanesField) != 1) {
    return BitmapFault::Planes;
  }
  layout.colorCount = BitmapField32(base, kBmpColorsUsedField);
  const uint16_t bitCount = BitmapField16(base, kBmpBitCountField);
  if (layout.colorCount == 0 && bitCount <= 8) {
    layout.colorCount = uint32_t{1} << bitCount;
  }
  return CheckBlocks(base, fileSize, layout);
}

}  // namespace zet
