#include <windows.h>

#include <vector>

#include "compiler/shell/program_path.h"

namespace zet {

std::string ProgramPath(size_t bufferSize) {
  std::vector<char> buffer(bufferSize + 1, '\0');
  const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(bufferSize));
  // A path that does not fit comes back cut and, on older systems, without
  // its terminator; the extra byte above keeps it terminated.
  return std::string(buffer.data(), length < bufferSize ? length : bufferSize - 1);
}

std::string BesidePath(const std::string& path, const char* fileName) {
  const char* start = path.c_str();
  const char* afterSeparator = start;
  for (const char* p = start; *p != '\0'; p = CharNextA(p)) {
    if (*p == '\\' || *p == '/') {
      afterSeparator = p + 1;
    }
  }
  return std::string(start, afterSeparator) + fileName;
}

}  // namespace zet
