#include <windows.h>

#include <stdexcept>

#include "compiler/output/test_platform.h"

namespace zet {

ExclusiveHold::ExclusiveHold(const std::string& path) {
  HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    throw std::runtime_error("cannot hold " + path);
  }
  handle_.Reset(reinterpret_cast<intptr_t>(handle));
}

void ExtendFile(const std::string& path, uint64_t size) {
  HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    throw std::runtime_error("cannot open " + path);
  }
  LARGE_INTEGER end;
  end.QuadPart = static_cast<LONGLONG>(size);
  const bool done = SetFilePointerEx(handle, end, nullptr, FILE_BEGIN) && SetEndOfFile(handle);
  CloseHandle(handle);
  if (!done) {
    throw std::runtime_error("cannot extend " + path);
  }
}

}  // namespace zet
