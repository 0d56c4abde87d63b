// The process-wide log: every progress and failure line of a run, shown once
// when the work is done.
#pragma once

#include <string>

namespace zet {

// Shift-JIS text, lines separated by CR LF; only ever appended to.
extern std::string LogBuffer;

// printf-style append; a line longer than 1023 bytes is cut, at a character
// boundary. Texts go in as arguments, never as the format.
void AppendLog(const char* format, ...);

}  // namespace zet
