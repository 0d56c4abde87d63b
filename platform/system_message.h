// The system's message text for a Win32Error code, as the log, the kind
// error wrapper and the programs' messages show it.
#pragma once

#include <cstdint>
#include <string>

namespace zet {

// Shift-JIS text ending in "\r\n"; the empty text when the system has none.
// The Windows build asks the system message table; the Linux build has its own
// text for every code it can produce.
std::string SystemMessage(uint32_t code);

// The same text without its line end, for a message of one line; "(code)"
// where the system has no text, so that a failure never shows without a cause.
std::string SystemMessageLine(uint32_t code);

}  // namespace zet
