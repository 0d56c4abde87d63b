#include "compiler/output/mapped_bitmap.h"

#include <cstdint>

#include "platform/win32_error.h"

namespace zet {
namespace {

constexpr uint32_t kMinimumSize = kBitmapFileHeaderSize + kBitmapInfoHeaderSize;

// Reads the headers through a view of their bytes alone; every check is
// refused with the one code, which the lint turns into its reason.
BitmapLayout ReadLayout(const FileMapping& mapping, uint64_t fileSize) {
  // No block of a file this large could be addressed in the compiled file.
  if (fileSize < kMinimumSize || fileSize > UINT32_MAX) {
    throw Win32Error{kErrorInvalidParameter};
  }
  const MappedView headers(mapping, kMinimumSize);
  BitmapLayout layout;
  if (CheckBitmap(headers.Base(), static_cast<uint32_t>(fileSize), layout) != BitmapFault::None) {
    throw Win32Error{kErrorInvalidParameter};
  }
  return layout;
}

}  // namespace

MappedBitmap::MappedBitmap(const char* path)
    : file_(path),
      mapping_(file_),
      layout_(ReadLayout(mapping_, file_.GetSize())),
      view_(mapping_, layout_.extent) {}

}  // namespace zet
