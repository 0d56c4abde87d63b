#include <windows.h>

#include "compiler/common/win32_error.h"
#include "compiler/output/file_map.h"

namespace zet {
namespace {

HANDLE AsHandle(intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

[[noreturn]] void ThrowLastError() {
  throw Win32Error{GetLastError()};
}

}  // namespace

InputFile::InputFile(const char* path) : handle_(reinterpret_cast<intptr_t>(INVALID_HANDLE_VALUE)) {
  HANDLE handle =
      CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    ThrowLastError();
  }
  handle_ = reinterpret_cast<intptr_t>(handle);
}

InputFile::~InputFile() {
  CloseHandle(AsHandle(handle_));
}

uint64_t InputFile::GetSize() const {
  DWORD high = 0;
  const DWORD low = GetFileSize(AsHandle(handle_), &high);
  // INVALID_FILE_SIZE is also the low word of a size 2^32 - 1 + k * 2^32.
  if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
    ThrowLastError();
  }
  return uint64_t{high} << 32 | low;
}

FileMapping::FileMapping(const InputFile& file) : handle_(0) {
  HANDLE handle = CreateFileMappingA(AsHandle(file.handle_), nullptr, PAGE_READONLY, 0, 0, nullptr);
  if (handle == nullptr) {
    ThrowLastError();
  }
  handle_ = reinterpret_cast<intptr_t>(handle);
}

FileMapping::~FileMapping() {
  CloseHandle(AsHandle(handle_));
}

MappedView::MappedView(const FileMapping& mapping, uint32_t length) : base_(nullptr) {
  const void* base = MapViewOfFile(AsHandle(mapping.handle_), FILE_MAP_READ, 0, 0, length);
  if (base == nullptr) {
    ThrowLastError();
  }
  base_ = static_cast<const uint8_t*>(base);
}

MappedView::~MappedView() {
  UnmapViewOfFile(base_);
}

}  // namespace zet
