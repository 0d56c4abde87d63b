// printf-style formatting into the system's 1024-byte line buffer: the
// Windows build uses wvsprintfA, the Linux build vsnprintf. Longer output is
// cut to 1023 bytes, at a character boundary.
#pragma once

#include <cstdarg>
#include <string>

namespace zet {

constexpr size_t kFormatBufferSize = 1024;

std::string FormatString(const char* format, ...);
std::string FormatStringV(const char* format, va_list arguments);

// The platform formatter alone: writes at most kFormatBufferSize bytes,
// terminator included, and returns the length it reports.
size_t PlatformFormat(char (&buffer)[kFormatBufferSize], const char* format, va_list arguments);

}  // namespace zet
