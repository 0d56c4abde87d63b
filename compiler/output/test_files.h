// Files and bitmaps made for the tests of this folder.
#pragma once

#include <cstdint>
#include <string>

#include "tests/support/test_folder.h"

namespace zet {

// ASCII names only.
bool FileExists(const std::string& path);
void SetReadOnly(const std::string& path, bool readOnly);

// Little-endian fields in a byte string.
uint32_t Get32(const std::string& bytes, size_t offset);
void Put32(std::string& bytes, size_t offset, uint32_t value);
void Put16(std::string& bytes, size_t offset, uint16_t value);

// An uncompressed BMP file with a 40-byte info header, a full colour table
// for 8 bits and fewer (or `colorsUsed` entries), and pixel bytes that
// differ from row to row. A negative height stores the rows top-down.
std::string MakeBitmap(int32_t width, int32_t height, uint16_t bitCount, uint32_t colorsUsed = 0);

// The compiled file's UTF-16LE string block for an ASCII text.
std::string WideBlock(const std::string& ascii);

}  // namespace zet
