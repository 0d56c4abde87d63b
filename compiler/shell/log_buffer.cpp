#include "compiler/shell/log_buffer.h"

#include <cstdarg>

#include "compiler/common/format_string.h"

namespace zet {

std::string LogBuffer;

void AppendLog(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  std::string line = FormatStringV(format, arguments);
  va_end(arguments);
  LogBuffer += line;
}

}  // namespace zet
