#include "compiler/output/mapped_bitmap.h"

#include <cstdint>

#include "compiler/common/win32_error.h"
#include "compiler/output/bitmap_layout.h"

namespace zet {

MappedBitmap::MappedBitmap(const char* path) : file_(path), mapping_(file_), view_(mapping_) {
  Check(file_.GetSize());
}

void MappedBitmap::Check(uint32_t fileSize) {
  const uint8_t* base = view_.Base();
  BitmapLayout layout;
  if (CheckBitmap(base, fileSize, layout) != BitmapFault::None) {
    throw Win32Error{kErrorInvalidParameter};
  }
  header_ = base + kBitmapFileHeaderSize;
  colorCount_ = layout.colorCount;
  if (colorCount_ != 0) {
    colorTable_ = header_ + BitmapField32(base, kBmpInfoSizeField);
  }
  height_ = layout.height;
  bits_ = base + BitmapField32(base, kBmpOffBitsField);
  infoBlockSize_ = layout.infoBlockSize;
  pixelBlockSize_ = layout.pixelBlockSize;
}

}  // namespace zet
