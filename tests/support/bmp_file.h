// BMP files made for the tests and the benchmark: uncompressed, a 40-byte info
// header, a full colour table for 8 bits and fewer (or `colorsUsed` entries),
// pixel bytes from a pattern. A negative height stores the rows top-down.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zet {

// Little-endian fields in a byte string.
uint32_t Get32(const std::string& bytes, size_t offset);
void Put32(std::string& bytes, size_t offset, uint32_t value);
void Put16(std::string& bytes, size_t offset, uint16_t value);

struct BmpPattern {
  // Byte `index` of the colour table.
  std::function<uint8_t(uint32_t index)> colour;
  // The pixel byte at file offset `offset`, in pixel row `row` as stored.
  std::function<uint8_t(uint32_t offset, uint32_t row)> pixel;
};

std::string BmpFile(int32_t width, int32_t height, uint16_t bitCount, uint32_t colorsUsed,
                    const BmpPattern& pattern);

// The pattern of the compiler's tests: pixel bytes that differ from row to row.
std::string MakeBitmap(int32_t width, int32_t height, uint16_t bitCount, uint32_t colorsUsed = 0);

// `bmp` with colour masks after its 40-byte info header, as bit-field bitmaps
// keep them: biCompression set, the colour table and pixels moved behind.
std::string WithMasks(std::string bmp, uint32_t compression, const std::vector<uint32_t>& masks);

}  // namespace zet
