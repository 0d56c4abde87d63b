// A BMP file mapped read-only and checked, with its blocks located. Every
// block it hands out lies inside the file.
//
//   offset 0   BITMAPFILEHEADER (14 bytes): "BM", bfSize, bfOffBits
//   offset 14  BITMAPINFOHEADER: biSize, biWidth, biHeight, biPlanes,
//              biBitCount, ..., biClrUsed; the colour table at 14 + biSize
//   bfOffBits  the pixel rows
#pragma once

#include <cstdint>

#include "compiler/output/file_map.h"

namespace zet {

class MappedBitmap {
 public:
  // Throws Win32Error: the system's code when the file cannot be opened or
  // mapped, 87 when it fails a check.
  explicit MappedBitmap(const char* path);

  // The BITMAPINFOHEADER, followed by the colour table.
  const uint8_t* Header() const { return header_; }
  uint32_t ColorCount() const { return colorCount_; }
  // Null when the colour count is 0.
  const uint8_t* ColorTable() const { return colorTable_; }
  // Rows of pixels, whatever their order.
  uint32_t Height() const { return height_; }
  const uint8_t* Bits() const { return bits_; }

  // The info header and colour table as one block: biSize + 4 x colour count.
  uint32_t InfoBlockSize() const { return infoBlockSize_; }
  // Rows rounded up to 4 bytes, times the height.
  uint32_t PixelBlockSize() const { return pixelBlockSize_; }

 private:
  void Check(uint32_t fileSize);

  // Declaration order is the order of acquisition; release runs backwards.
  InputFile file_;
  FileMapping mapping_;
  MappedView view_;
  const uint8_t* header_ = nullptr;
  uint32_t colorCount_ = 0;
  const uint8_t* colorTable_ = nullptr;
  uint32_t height_ = 0;
  const uint8_t* bits_ = nullptr;
  uint32_t infoBlockSize_ = 0;
  uint32_t pixelBlockSize_ = 0;
};

}  // namespace zet
