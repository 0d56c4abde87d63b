#include "compiler/output/posix_path.h"

#include "compiler/common/shift_jis.h"

namespace zet {

std::string ToPosixPath(const char* path) {
  std::string result(path);
  for (size_t pos = 0; pos < result.size();) {
    const unsigned char byte = static_cast<unsigned char>(result[pos]);
    if (IsLeadByte(byte) && pos + 1 < result.size()) {
      pos += 2;
      continue;
    }
    if (byte == '\\') {
      result[pos] = '/';
    }
    ++pos;
  }
  return result;
}

}  // namespace zet
