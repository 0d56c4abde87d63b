// A BMP file mapped read-only and checked, with its blocks located. Every
// block it hands out lies inside the file.
//
//   offset 0   BITMAPFILEHEADER (14 bytes): "BM", bfSize, bfOffBits
//   offset 14  BITMAPINFOHEADER: biSize, biWidth, biHeight, biPlanes,
//              biBitCount, ..., biClrUsed; after a 40-byte header with
//              bit fields, 3 or 4 colour masks; then the colour table
//   bfOffBits  the pixel rows
#pragma once

#include <cstdint>

#include "compiler/output/bitmap_layout.h"
#include "compiler/output/file_map.h"

namespace zet {

class MappedBitmap {
 public:
  // Throws Win32Error: the system's code when the file cannot be opened or
  // mapped, 87 when it fails a check (a file of 4 GB or more does).
  explicit MappedBitmap(const char* path);

  // The BITMAPINFOHEADER, followed by any masks and the colour table.
  const uint8_t* Header() const { return view_.Base() + 14; }
  uint32_t ColorCount() const { return layout_.colorCount; }
  // Null when the colour count is 0.
  const uint8_t* ColorTable() const {
    return layout_.colorCount == 0 ? nullptr : view_.Base() + layout_.colorTableOffset;
  }
  // Rows of pixels, whatever their order.
  uint32_t Height() const { return layout_.height; }
  const uint8_t* Bits() const { return view_.Base() + layout_.bitsOffset; }

  // The info header, masks and colour table as one block: biSize + masks +
  // 4 x colour count.
  uint32_t InfoBlockSize() const { return layout_.infoBlockSize; }
  // Rows rounded up to 4 bytes, times the height.
  uint32_t PixelBlockSize() const { return layout_.pixelBlockSize; }

 private:
  // Declaration order is the order of acquisition; release runs backwards.
  InputFile file_;
  FileMapping mapping_;
  BitmapLayout layout_;
  // The file up to the end of its last block: bytes after it are never read,
  // and a 32-bit process could not map a large file whole.
  MappedView view_;
};

}  // namespace zet
