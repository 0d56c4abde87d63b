#include "tests/support/bmp_file.h"

namespace zet {

uint32_t Get32(const std::string& bytes, size_t offset) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) {
    value = value << 8 | static_cast<unsigned char>(bytes.at(offset + i));
  }
  return value;
}

void Put32(std::string& bytes, size_t offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) {
    bytes.at(offset + i) = static_cast<char>(value >> (8 * i));
  }
}

void Put16(std::string& bytes, size_t offset, uint16_t value) {
  bytes.at(offset) = static_cast<char>(value);
  bytes.at(offset + 1) = static_cast<char>(value >> 8);
}

std::string BmpFile(int32_t width, int32_t height, uint16_t bitCount, uint32_t colorsUsed,
                    const BmpPattern& pattern) {
  const uint32_t colors = colorsUsed != 0 ? colorsUsed : bitCount <= 8 ? 1u << bitCount : 0;
  const uint32_t rowSize = (bitCount * static_cast<uint32_t>(width) + 31) / 32 * 4;
  const uint32_t rows = static_cast<uint32_t>(height < 0 ? -height : height);
  const uint32_t offBits = 14 + 40 + 4 * colors;
  std::string bytes(offBits + rowSize * rows, '\0');
  bytes[0] = 'B';
  bytes[1] = 'M';
  Put32(bytes, 2, static_cast<uint32_t>(bytes.size()));
  Put32(bytes, 10, offBits);
  Put32(bytes, 14, 40);
  Put32(bytes, 18, static_cast<uint32_t>(width));
  Put32(bytes, 22, static_cast<uint32_t>(height));
  Put16(bytes, 26, 1);
  Put16(bytes, 28, bitCount);
  Put32(bytes, 46, colorsUsed);
  for (uint32_t i = 0; i < 4 * colors; ++i) {
    bytes[54 + i] = static_cast<char>(pattern.colour(i));
  }
  for (uint32_t i = offBits; i < bytes.size(); ++i) {
    bytes[i] = static_cast<char>(pattern.pixel(i, (i - offBits) / rowSize));
  }
  return bytes;
}

std::string MakeBitmap(int32_t width, int32_t height, uint16_t bitCount, uint32_t colorsUsed) {
  const BmpPattern pattern{
      [](uint32_t index) { return static_cast<uint8_t>(index * 7 + 1); },
      [](uint32_t offset, uint32_t row) { return static_cast<uint8_t>(row * 31 + offset); }};
  return BmpFile(width, height, bitCount, colorsUsed, pattern);
}

std::string WithMasks(std::string bmp, uint32_t compression, const std::vector<uint32_t>& masks) {
  std::string fields(4 * masks.size(), '\0');
  for (size_t i = 0; i < masks.size(); ++i) {
    Put32(fields, 4 * i, masks[i]);
  }
  bmp.insert(54, fields);
  const auto grown = static_cast<uint32_t>(fields.size());
  Put32(bmp, 2, Get32(bmp, 2) + grown);
  Put32(bmp, 10, Get32(bmp, 10) + grown);
  Put32(bmp, 30, compression);
  return bmp;
}

}  // namespace zet
