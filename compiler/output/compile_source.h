// Compiles one source file into one compiled message file.
#pragma once

#include <string>

#include "compiler/output/compiled_file.h"

namespace zet {

// Throws Win32Error or std::string (a complete Japanese message ending in
// "\r\n"); anything else passes through.
void CompileSourceFile(const char* path);

// Throws the message for an output path that names the source or one of the
// kinds' bitmaps: writing it would destroy the input.
void RefuseOutputOverInput(const std::string& output, const std::string& source,
                           const KindSettingsArray& kinds);

}  // namespace zet
