// What the lint needs of the system: text as SARIF takes it.
#pragma once

#include <string>

namespace zetlint {

// Shift-JIS text as UTF-8; a byte that is no character becomes "?".
std::string Utf8Text(const std::string& shiftJis);
// A path from the command line as UTF-8 with "/" between its parts.
std::string Utf8Path(const std::string& path);

}  // namespace zetlint
