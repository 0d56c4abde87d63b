// The system's message text for a Win32Error code, as the log and the kind
// error wrapper show it.
#pragma once

#include <cstdint>
#include <string>

namespace zet {

// Shift-JIS text ending in "\r\n"; the empty text when the system has none.
// The Windows build asks the system message table; the Linux build has its own
// text for every code it can produce.
std::string SystemMessage(uint32_t code);

}  // namespace zet
