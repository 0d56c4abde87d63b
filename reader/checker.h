// --check: the first thing in a compiled file that a reader could not rely on.
#pragma once

#include <optional>
#include <string>

#include "reader/file_bytes.h"

namespace zet {

// Nothing for a sound file.
std::optional<FileFault> CheckCompiledFile(const FileBytes& bytes);

// "オフセット <offset>: <text>".
std::string FaultLine(const FileFault& fault);

}  // namespace zet
