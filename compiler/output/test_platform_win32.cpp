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

}  // namespace zet
