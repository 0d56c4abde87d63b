// The two bitmap blocks of a kind: the info block (BITMAPINFOHEADER and its
// colour table) and the pixel block, whose length follows from the header.
#pragma once

#include <cstdint>
#include <vector>

#include "reader/file_bytes.h"

namespace zet {

constexpr uint32_t kInfoHeaderSize = 40;

struct BitmapBlocks {
  uint32_t infoOffset = 0;
  uint32_t bitsOffset = 0;
  uint32_t headerSize = 0;  // biSize
  int32_t width = 0;
  int32_t height = 0;  // negative: rows stored top-down
  uint16_t planes = 0;
  uint16_t bitCount = 0;
  uint32_t colours = 0;      // entries of the colour table
  uint32_t infoLength = 0;   // headerSize + 4 * colours
  uint32_t pixelLength = 0;  // row length rounded up to 4 bytes, times the rows
  uint32_t rows = 0;         // |height|
};

// Reads the blocks that the offsets at `infoField` and `bitsField` point at
// and checks that both lie in the file with the sizes their header gives.
// `owner` names the kind in fault texts.
BitmapBlocks ReadBitmapBlocks(const FileBytes& bytes, uint32_t infoField, uint32_t bitsField,
                              const char* owner);

// A BMP file made of the two blocks: a 14-byte file header, the info block
// and the pixel block.
std::vector<uint8_t> MakeBmpFile(const FileBytes& bytes, const BitmapBlocks& bitmap);

}  // namespace zet
