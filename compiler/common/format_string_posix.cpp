#include <cstdio>

#include "compiler/common/format_string.h"

namespace zet {

size_t PlatformFormat(char (&buffer)[kFormatBufferSize], const char* format, va_list arguments) {
  const int written = vsnprintf(buffer, kFormatBufferSize, format, arguments);
  if (written < 0) {
    buffer[0] = '\0';
    return 0;
  }
  return static_cast<size_t>(written) < kFormatBufferSize ? static_cast<size_t>(written)
                                                          : kFormatBufferSize - 1;
}

}  // namespace zet
