// Compiles one source file into one compiled message file.
#pragma once

namespace zet {

// Throws Win32Error or std::string (a complete Japanese message ending in
// "\r\n"); anything else passes through.
void CompileSourceFile(const char* path);

}  // namespace zet
