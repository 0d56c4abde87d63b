// The checks a BMP file must pass before the compiler takes blocks from it,
// on its first 54 bytes and its size alone, and where its blocks lie once it
// passes.
// MappedBitmap refuses a file that fails any of them with code 87; the lint
// names the one that failed.
#pragma once

#include <cstdint>

namespace zet {

// In the order the checks run: the first that fails is the one named.
enum class BitmapFault {
  None,
  TooShort,       // under the 14-byte file header and a 40-byte info header
  NotBitmap,      // bfType is not "BM"
  FileSizeField,  // bfSize is larger than the file
  Planes,         // biPlanes is not 1
  HeaderSize,     // biSize is under 40 (an OS/2 core header, or damage)
  Masks,          // the bit-field masks after a 40-byte header reach past the end
  ColorTable,     // the info header and colour table reach past the end
  Height,         // biHeight has no absolute value in 32 bits
  RowSize,        // biWidth and biBitCount make no row length
  Pixels,         // the pixel rows reach past the end of the file
};

struct BitmapLayout {
  uint32_t colorCount = 0;
  uint32_t maskSize = 0;          // bit-field masks after a 40-byte header
  uint32_t colorTableOffset = 0;  // from the start of the file, after the masks
  uint32_t height = 0;            // rows, whatever their order
  uint32_t bitsOffset = 0;
  uint32_t infoBlockSize = 0;  // biSize + masks + 4 x colour count
  uint32_t pixelBlockSize = 0;
  uint32_t extent = 0;  // the end of the last block
};

// Field offsets from the start of the file.
constexpr uint32_t kBitmapFileHeaderSize = 14;
constexpr uint32_t kBitmapInfoHeaderSize = 40;  // BITMAPINFOHEADER
constexpr uint32_t kBmpSizeField = 2;
constexpr uint32_t kBmpOffBitsField = 10;
constexpr uint32_t kBmpInfoSizeField = 14;
constexpr uint32_t kBmpWidthField = 18;
constexpr uint32_t kBmpHeightField = 22;
constexpr uint32_t kBmpPlanesField = 26;
constexpr uint32_t kBmpBitCountField = 28;
constexpr uint32_t kBmpCompressionField = 30;
constexpr uint32_t kBmpColorsUsedField = 46;

// biCompression values whose pixels are coloured by masks.
constexpr uint32_t kBiBitFields = 3;       // red, green, blue
constexpr uint32_t kBiAlphaBitFields = 6;  // and alpha

// Bytes of masks that follow an info header of `infoSize` bytes: a 40-byte
// header keeps none of its own, larger ones hold them already.
uint32_t BitFieldMaskSize(uint32_t infoSize, uint32_t compression);

uint16_t BitmapField16(const uint8_t* file, uint32_t offset);
uint32_t BitmapField32(const uint8_t* file, uint32_t offset);

// `file` holds at least the first 54 of the file's `fileSize` bytes (every
// field read lies in them). Fills `layout` when the file passes.
BitmapFault CheckBitmap(const uint8_t* file, uint32_t fileSize, BitmapLayout& layout);

}  // namespace zet
