// Files and bitmaps made for the tests of this folder.
#pragma once

#include <cstdint>
#include <string>

#include "tests/support/bmp_file.h"
#include "tests/support/test_folder.h"

namespace zet {

// ASCII names only.
bool FileExists(const std::string& path);
void SetReadOnly(const std::string& path, bool readOnly);

// The compiled file's UTF-16LE string block for an ASCII text.
std::string WideBlock(const std::string& ascii);

}  // namespace zet
