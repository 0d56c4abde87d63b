#include <windows.h>

#include "compiler/common/format_string.h"

namespace zet {

size_t PlatformFormat(char (&buffer)[kFormatBufferSize], const char* format, va_list arguments) {
  // wvsprintfA writes at most 1024 bytes, terminator included.
  const int written = wvsprintfA(buffer, format, arguments);
  return written < 0 ? 0 : static_cast<size_t>(written);
}

}  // namespace zet
