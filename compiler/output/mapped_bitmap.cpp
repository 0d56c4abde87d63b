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

}  // namespace

MappedBitmap::MappedBitmap(const char* path) : file_(path), mapping_(file_), view_(mapping_) {
  Check(file_.GetSize());
}

void MappedBitmap::Check(uint32_t fileSize) {
  const uint8_t* base = view_.Base();
  if (fileSize < kMinimumSize) {
    Refuse();
  }
  if (Read16(base, kBfType) != kBitmapType) {
    Refuse();
  }
  if (Read32(base, kBfSize) > fileSize) {
    Refuse();
  }
  header_ = base + kFileHeaderSize;
  if (Read16(base, kBiPlanes) != 1) {
    Refuse();
  }
  colorCount_ = Read32(base, kBiClrUsed);
  const uint16_t bitCount = Read16(base, kBiBitCount);
  if (colorCount_ == 0 && bitCount <= 8) {
    colorCount_ = uint32_t{1} << bitCount;
  }
  CheckBlocks(fileSize);
  if (colorCount_ != 0) {
    colorTable_ = header_ + Read32(base, kBiSize);
  }
  const int32_t signedHeight = static_cast<int32_t>(Read32(base, kBiHeight));
  height_ = signedHeight < 0 ? 0u - static_cast<uint32_t>(signedHeight)
                             : static_cast<uint32_t>(signedHeight);
  bits_ = base + Read32(base, kBfOffBits);
}

// The blocks the writer copies must lie inside the file. All sums are taken
// in 64 bits, where none of them can wrap.
void MappedBitmap::CheckBlocks(uint32_t fileSize) {
  const uint8_t* base = view_.Base();
  // Readers of the compiled file take a whole BITMAPINFOHEADER from the info
  // block; a shorter one (an OS/2 core header, or a damaged field) would
  // have them read the colour table and pixels as header fields.
  if (Read32(base, kBiSize) < kInfoHeaderSize) {
    Refuse();
  }
  const uint64_t infoBlock = uint64_t{Read32(base, kBiSize)} + uint64_t{4} * colorCount_;
  if (kFileHeaderSize + infoBlock > fileSize) {
    Refuse();
  }
  const int32_t signedHeight = static_cast<int32_t>(Read32(base, kBiHeight));
  if (signedHeight == INT32_MIN) {
    Refuse();  // its absolute value is no 32-bit signed number
  }
  // Rows are rounded up to 4 bytes, as the format stores them.
  const int64_t rowBits =
      int64_t{Read16(base, kBiBitCount)} * static_cast<int32_t>(Read32(base, kBiWidth)) + 31;
  if (rowBits < 0 || rowBits > INT32_MAX) {
    Refuse();
  }
  const uint64_t rowSize = static_cast<uint64_t>(rowBits / 32 * 4);
  const uint64_t rows =
      static_cast<uint64_t>(signedHeight < 0 ? -int64_t{signedHeight} : signedHeight);
  const uint64_t pixelBlock = rowSize * rows;
  if (uint64_t{Read32(base, kBfOffBits)} + pixelBlock > fileSize) {
    Refuse();
  }
  infoBlockSize_ = static_cast<uint32_t>(infoBlock);
  pixelBlockSize_ = static_cast<uint32_t>(pixelBlock);
}

}  // namespace zet
