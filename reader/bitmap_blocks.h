// The two bitmap blocks of a kind: the info block (BITMAPINFOHEADER, the
// colour masks of a 40-byte header with bit fields, and the colour table)
// and the pixel block, whose length follows from the header.
#pragma once

#include <cstdint>

#include "reader/file_bytes.h"

namespace zetreader {

struct BitmapBlocks {
  uint32_t infoOffset = 0;
  uint32_t bitsOffset = 0;
  uint32_t headerSize = 0;  // biSize
  int32_t width = 0;
  int32_t height = 0;  // negative: rows stored top-down
  uint16_t planes = 0;
  uint16_t bitCount = 0;
  uint32_t compression = 0;  // biCompression
  uint32_t maskLength = 0;   // 12 or 16 after a 40-byte header with bit fields, else 0
  uint32_t colours = 0;      // entries of the colour table
  uint32_t infoLength = 0;   // headerSize + maskLength + 4 * colours
  uint32_t pixelLength = 0;  // row length rounded up to 4 bytes, times the rows
  uint32_t rows = 0;         // |height|
};

// Reads the blocks that the offsets at `infoField` and `bitsField` point at
// and checks that both lie in the file with the sizes their header gives,
// and that a bit-field bitmap kept its masks.
// `kindName` names the kind in fault texts.
BitmapBlocks ReadBitmapBlocks(const FileBytes& bytes, uint32_t infoField, uint32_t bitsField,
                              const char* kindName);

// The parts of the blocks, inside the file they were read from: the info
// header (biSize bytes; with the masks and colour table after it, what a
// BITMAPINFO points at), the masks after a 40-byte header (empty when there
// are none), the colour table (RGBQUAD entries) and the pixel rows.
ByteSpan InfoHeader(const FileBytes& bytes, const BitmapBlocks& bitmap);
ByteSpan Masks(const FileBytes& bytes, const BitmapBlocks& bitmap);
ByteSpan ColourTable(const FileBytes& bytes, const BitmapBlocks& bitmap);
ByteSpan Pixels(const FileBytes& bytes, const BitmapBlocks& bitmap);

}  // namespace zetreader
