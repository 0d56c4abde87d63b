#include "compiler/output/mapped_bitmap.h"

#include <cstdint>

#include "compiler/common/win32_error.h"

namespace zet {
namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER
constexpr uint32_t kMinimumSize = kFileHeaderSize + kInfoHeaderSize;
constexpr uint16_t kBitmapType = 0x4D42;  // "BM"

// Field offsets from the start of the file.
constexpr uint32_t kBfType = 0;
constexpr uint32_t kBfSize = 2;
constexpr uint32_t kBfOffBits = 10;
constexpr uint32_t kBiSize = 14;
constexpr uint32_t kBiWidth = 18;
constexpr uint32_t kBiHeight = 22;
constexpr uint32_t kBiPlanes = 26;
constexpr uint32_t kBiBitCount = 28;
constexpr uint32_t kBiClrUsed = 46;

uint16_t Read16(const uint8_t* base, uint32_t offset) {
  return static_cast<uint16_t>(base[offset] | base[offset + 1] << 8);
}

uint32_t Read32(const uint8_t* base, uint32_t offset) {
  return static_cast<uint32_t>(base[offset]) | static_cast<uint32_t>(base[offset + 1]) << 8 |
         static_cast<uint32_t>(base[offset + 2]) << 16 |
         static_cast<uint32_t>(base[offset + 3]) << 24;
}

[[noreturn]] void Refuse() {
  throw Win32Error{kErrorInvalidParameter};
}

// The blocks the writer copies must lie inside the file. All sums are taken
// in 64 bits, where none of them can wrap. Only the first 54 bytes are read.
BitmapLayout CheckedLayout(const uint8_t* base, uint32_t fileSize) {
  if (Read16(base, kBfType) != kBitmapType) {
    Refuse();
  }
  if (Read32(base, kBfSize) > fileSize) {
    Refuse();
  }
  if (Read16(base, kBiPlanes) != 1) {
    Refuse();
  }
  BitmapLayout layout;
  layout.colorCount = Read32(base, kBiClrUsed);
  const uint16_t bitCount = Read16(base, kBiBitCount);
  if (layout.colorCount == 0 && bitCount <= 8) {
    layout.colorCount = uint32_t{1} << bitCount;
  }
  // Readers of the compiled file take a whole BITMAPINFOHEADER from the info
  // block; a shorter one (an OS/2 core header, or a damaged field) would
  // have them read the colour table and pixels as header fields.
  const uint32_t infoHeaderSize = Read32(base, kBiSize);
  if (infoHeaderSize < kInfoHeaderSize) {
    Refuse();
  }
  const uint64_t infoBlock = uint64_t{infoHeaderSize} + uint64_t{4} * layout.colorCount;
  const uint64_t infoEnd = kFileHeaderSize + infoBlock;
  if (infoEnd > fileSize) {
    Refuse();
  }
  const int32_t signedHeight = static_cast<int32_t>(Read32(base, kBiHeight));
  if (signedHeight == INT32_MIN) {
    Refuse();  // its absolute value is no 32-bit signed number
  }
  // Rows are rounded up to 4 bytes, as the format stores them.
  const int64_t rowBits = int64_t{bitCount} * static_cast<int32_t>(Read32(base, kBiWidth)) + 31;
  if (rowBits < 0 || rowBits > INT32_MAX) {
    Refuse();
  }
  const uint64_t rowSize = static_cast<uint64_t>(rowBits / 32 * 4);
  const uint32_t rows = signedHeight < 0 ? 0u - static_cast<uint32_t>(signedHeight)
                                         : static_cast<uint32_t>(signedHeight);
  const uint64_t pixelBlock = rowSize * rows;
  const uint64_t pixelEnd = uint64_t{Read32(base, kBfOffBits)} + pixelBlock;
  if (pixelEnd > fileSize) {
    Refuse();
  }
  layout.colorTableOffset = kFileHeaderSize + infoHeaderSize;
  layout.height = rows;
  layout.bitsOffset = Read32(base, kBfOffBits);
  layout.infoBlockSize = static_cast<uint32_t>(infoBlock);
  layout.pixelBlockSize = static_cast<uint32_t>(pixelBlock);
  layout.extent = static_cast<uint32_t>(infoEnd > pixelEnd ? infoEnd : pixelEnd);
  return layout;
}

// Reads the headers through a view of their bytes alone.
BitmapLayout ReadLayout(const FileMapping& mapping, uint64_t fileSize) {
  // No block of a file this large could be addressed in the compiled file.
  if (fileSize < kMinimumSize || fileSize > UINT32_MAX) {
    Refuse();
  }
  const MappedView headers(mapping, kMinimumSize);
  return CheckedLayout(headers.Base(), static_cast<uint32_t>(fileSize));
}

}  // namespace

MappedBitmap::MappedBitmap(const char* path)
    : file_(path),
      mapping_(file_),
      layout_(ReadLayout(mapping_, file_.GetSize())),
      view_(mapping_, layout_.extent) {}

}  // namespace zet
