#include "compiler/common/shift_jis.h"

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

size_t FileNameOffset(const char* path) {
  size_t after = 0;
  for (size_t pos = 0; path[pos] != '\0';) {
    const unsigned char byte = static_cast<unsigned char>(path[pos]);
    if (IsLeadByte(byte) && path[pos + 1] != '\0') {
      pos += 2;
      continue;
    }
    ++pos;
    if (byte == '\\' || byte == '/') {
      after = pos;
    }
  }
  return after;
}

}  // namespace zet
