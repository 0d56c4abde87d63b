#include <windows.h>

#include "compiler/output/file_map.h"
#include "platform/win32_error.h"

namespace zet {
namespace {

HANDLE AsHandle(intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

[[noreturn]] void ThrowLastError() {
  throw Win32Error{GetLastError()};
}

}  // namespace

InputFile::InputFile(const char* path) {
  HANDLE handle =
      CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    ThrowLastError();
  }
  handle_.Reset(reinterpret_cast<intptr_t>(handle));
}

uint64_t InputFile::GetSize() const {
  DWORD high = 0;
  const DWORD low = GetFileSize(AsHandle(handle_.Get()), &high);
  // INVALID_FILE_SIZE is also the low word of a size 2^32 - 1 + k * 2^32.
  if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
    ThrowLastError();
  }
  return uint64_t{high} << 32 | low;
}

FileMapping::FileMapping(const InputFile& file) {
  HANDLE handle =
      CreateFileMappingA(AsHandle(file.handle_.Get()), nullptr, PAGE_READONLY, 0, 0, nullptr);
  if (handle == nullptr) {
    ThrowLastError();
  }
  handle_.Reset(reinterpret_cast<intptr_t>(handle));
}

MappedView::MappedView(const FileMapping& mapping, uint32_t length) {
  const void* base = MapViewOfFile(AsHandle(mapping.handle_.Get()), FILE_MAP_READ, 0, 0, length);
  if (base == nullptr) {
    ThrowLastError();
  }
  view_.Reset(MappedRegion{static_cast<const uint8_t*>(base), length});
}

}  // namespace zet
