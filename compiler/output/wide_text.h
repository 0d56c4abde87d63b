// Narrow texts (the system's ANSI code page, Shift-JIS) as UTF-16LE, the form
// the compiled message file stores them in.
#pragma once

#include <string>

namespace zet {

// The UTF-16 code units of the text, up to its first zero, without a
// terminator. The Windows build converts from the ANSI code page; the Linux
// build from code page 932 with Windows' own mapping.
std::u16string ToWideText(const std::string& text);

}  // namespace zet
