// A source and its BMP files from which the compiler makes a given compiled
// file again, byte for byte.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "reader/file_bytes.h"

namespace zetdump {

// A fault of a file that passes every check but that no source produces (for
// instance one whose blocks lie elsewhere than the compiler puts them).
struct NoSourceFault : zetreader::FileFault {};

struct DecompiledFiles {
  std::string sourceName;                                             // "<stem>.zts"
  std::string source;                                                 // Shift-JIS, CR LF
  std::vector<std::pair<std::string, std::vector<uint8_t>>> bitmaps;  // name, BMP file
};

// A file name stem for the source and the compiled file it names: the stem
// of `path` when it is plain ASCII, else "decompiled".
std::string SourceStem(const std::string& path);

// Throws FileFault for a file that fails its checks, NoSourceFault for one
// that no source produces.
DecompiledFiles Decompile(const zetreader::FileBytes& bytes, const std::string& stem);

}  // namespace zetdump
