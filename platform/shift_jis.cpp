#include "platform/shift_jis.h"

namespace zet {

size_t WholeCharsLength(const char* text, size_t length) {
  size_t pos = 0;
  while (pos < length) {
    const size_t step = IsLeadByte(static_cast<unsigned char>(text[pos])) ? 2 : 1;
    if (pos + step > length) {
      break;
    }
    pos += step;
  }
  return pos;
}

std::string ToPosixPath(const char* path) {
  std::string result(path);
  for (size_t pos = 0; pos < result.size(); pos += CharSize(result, pos)) {
    if (result[pos] == '\\') {
      result[pos] = '/';
    }
  }
  return result;
}

}  // namespace zet
