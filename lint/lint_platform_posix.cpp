#include "lint/lint_platform.h"
#include "platform/cp932_posix.h"

namespace zetlint {

std::string Utf8Text(const std::string& shiftJis) {
  std::string text;
  zet::Cp932ToUtf8(shiftJis, text, zet::Unmapped::Replace);
  return text;
}

// Linux paths are bytes; the URI escapes whatever is not plain.
std::string Utf8Path(const std::string& path) {
  return path;
}

}  // namespace zetlint
