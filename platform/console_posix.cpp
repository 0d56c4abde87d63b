#include "platform/console.h"
#include "platform/cp932_posix.h"

namespace zet {

std::string ConsoleText(const std::string& shiftJis) {
  std::string lines;
  lines.reserve(shiftJis.size());
  for (size_t i = 0; i < shiftJis.size(); ++i) {
    if (!(shiftJis[i] == '\r' && i + 1 < shiftJis.size() && shiftJis[i + 1] == '\n')) {
      lines += shiftJis[i];
    }
  }
  std::string utf8;
  Cp932ToUtf8(lines, utf8, Unmapped::Replace);
  return utf8;
}

}  // namespace zet
