// A kind's bitmap strip decoded to 8-bit RGB, rows top-down as the picture is
// displayed whatever their order in the file, so that frame N is the N-th
// band of the frame height from the top.
//
// Pixels of 1, 4, 8, 16, 24 and 32 bits, uncompressed (BI_RGB) or with bit
// fields (BI_BITFIELDS, BI_ALPHABITFIELDS: masks in a header of 52 bytes or
// more, else the ones the compiled file keeps after a 40-byte header). Channels of
// other widths than 8 bits scale to 0..255 rounded; alpha is ignored, as a
// screen blit ignores it; an index past the colour table is black.
#pragma once

#include <cstdint>
#include <vector>

#include "reader/bitmap_blocks.h"
#include "reader/file_bytes.h"

namespace zetplay {

struct Picture {
  int width = 0;
  int height = 0;
  uint16_t bitCount = 0;
  std::vector<uint8_t> rgb;       // width * height * 3, top row first
  std::vector<uint32_t> palette;  // 0xRRGGBB: the colour table of 1, 4 and 8 bits
};

// Throws FileFault for a strip it cannot show (compressed, an unknown depth,
// bit fields without masks, no pixels, too large: zetreader::CheckDrawable);
// `kindName` names the kind.
Picture DecodePicture(const zetreader::FileBytes& bytes, const zetreader::BitmapBlocks& bitmap,
                      const char* kindName);

// The RGB bytes of frame `frame` of height `frameHeight`.
const uint8_t* FramePixels(const Picture& picture, int frameHeight, int frame);

}  // namespace zetplay
