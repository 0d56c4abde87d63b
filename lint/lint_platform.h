// What the lint needs of the system: text as the console and SARIF take it,
// and a file written whole or not at all.
#pragma once

#include <string>

namespace zetlint {

// Shift-JIS text for the console: UTF-8 on Linux, unchanged on Windows.
std::string ConsoleText(const std::string& shiftJis);
// Shift-JIS text as UTF-8; a byte that is no character becomes "?".
std::string Utf8Text(const std::string& shiftJis);
// A path from the command line as UTF-8 with "/" between its parts.
std::string Utf8Path(const std::string& path);

// Writes `bytes` to a new file beside `path` and puts it in place of `path`,
// so that no reader ever sees it half written. Throws std::string.
void WriteWholeFile(const std::string& path, const std::string& bytes);

}  // namespace zetlint
