// The bitmap checks on any file, through the real opening and mapping code: a
// file is refused with a system code that has a text, or every block the
// writer copies from it lies inside the file.
//
// Input: the bytes of the BMP file.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "compiler/output/mapped_bitmap.h"
#include "fuzz/fuzz_support.h"
#include "platform/win32_error.h"

namespace zet {
namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;

// Whether [block, block + length) lies in the file of `size` bytes at `base`.
bool Inside(const uint8_t* base, size_t size, const uint8_t* block, uint64_t length) {
  return block >= base && static_cast<uint64_t>(block - base) <= size &&
         length <= size - static_cast<uint64_t>(block - base);
}

uint32_t Field32(const uint8_t* at) {
  return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 |
         static_cast<uint32_t>(at[2]) << 16 | static_cast<uint32_t>(at[3]) << 24;
}

int32_t HeightField(const uint8_t* header) {
  return static_cast<int32_t>(Field32(header + 8));
}

// Reads every byte the writer would copy, so that a block reaching past the
// mapping faults here.
uint32_t Touch(const uint8_t* block, uint32_t length) {
  uint32_t sum = 0;
  for (uint32_t i = 0; i < length; ++i) {
    sum += block[i];
  }
  return sum;
}

void CheckBlocks(const MappedBitmap& bitmap, size_t size) {
  const uint8_t* base = bitmap.Header() - kFileHeaderSize;
  if (bitmap.InfoBlockSize() < kInfoHeaderSize) {
    FuzzFailure("an info block shorter than a BITMAPINFOHEADER");
  }
  if (!Inside(base, size, bitmap.Header(), bitmap.InfoBlockSize()) ||
      !Inside(base, size, bitmap.Bits(), bitmap.PixelBlockSize())) {
    FuzzFailure("a block reaches outside the file");
  }
  if ((bitmap.ColorCount() == 0) != (bitmap.ColorTable() == nullptr)) {
    FuzzFailure("a colour table pointer that does not match the colour count");
  }
  if (bitmap.ColorCount() != 0 &&
      !Inside(base, size, bitmap.ColorTable(), uint64_t{4} * bitmap.ColorCount())) {
    FuzzFailure("the colour table reaches outside the file");
  }
  // After a 40-byte header, bit-field masks are part of the info block.
  const uint32_t compression = Field32(bitmap.Header() + 16);
  const uint32_t masks = compression == 3 ? 12 : compression == 6 ? 16 : 0;
  if (Field32(bitmap.Header()) == kInfoHeaderSize &&
      bitmap.InfoBlockSize() < kInfoHeaderSize + masks) {
    FuzzFailure("a bit-field info block without its masks");
  }
  const int64_t height = HeightField(bitmap.Header());
  if (bitmap.Height() != static_cast<uint64_t>(height < 0 ? -height : height)) {
    FuzzFailure("a height that is not the absolute value of the field");
  }
  volatile uint32_t sink = Touch(bitmap.Header(), bitmap.InfoBlockSize());
  sink = sink + Touch(bitmap.Bits(), bitmap.PixelBlockSize());
}

}  // namespace
}  // namespace zet

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static zet::MemoryFile* const file = new zet::MemoryFile;
  file->Fill(std::string(reinterpret_cast<const char*>(data), size));
  const int descriptors = zet::OpenDescriptorCount();
  try {
    const zet::MappedBitmap bitmap(file->Path().c_str());
    zet::CheckBlocks(bitmap, size);
  } catch (const zet::Win32Error& error) {
    zet::CheckSystemCode(error.code);
  }
  if (zet::OpenDescriptorCount() != descriptors) {
    zet::FuzzFailure("opening a bitmap left a descriptor open");
  }
  return 0;
}
