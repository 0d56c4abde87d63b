#include "compiler/common/format_string.h"

#include <cstring>

#include "platform/shift_jis.h"

namespace zet {

std::string FormatStringV(const char* format, va_list arguments) {
  char buffer[kFormatBufferSize];
  PlatformFormat(buffer, format, arguments);
  // A cut through a double-byte character would leave a lead byte that takes
  // the next byte of whatever follows the text.
  size_t length = strnlen(buffer, kFormatBufferSize - 1);
  if (length == kFormatBufferSize - 1) {
    length = WholeCharsLength(buffer, length);
  }
  return std::string(buffer, length);
}

std::string FormatString(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  std::string text = FormatStringV(format, arguments);
  va_end(arguments);
  return text;
}

}  // namespace zet
