// What a kind's strip must be to be drawn, for every reader that draws one
// (the player, the run-time): both refuse the same strips with the same
// reasons, and find a bit-field strip's masks in the same place.
#pragma once

#include <cstdint>

#include "reader/bitmap_blocks.h"
#include "reader/file_bytes.h"

namespace zetreader {

// Strips of more pixels are refused, which bounds a drawer's memory.
constexpr int64_t kLargestStrip = 16 * 1024 * 1024;

// Throws FileFault for a strip that cannot be drawn: no pixels, too large,
// an unknown depth, compressed, bit fields on other than 16 or 32 bits, or
// bit fields without their masks. `kindName` names the kind.
void CheckDrawable(const FileBytes& bytes, const BitmapBlocks& bitmap, const char* kindName);

// The 12 bytes of a bit-field strip's red, green and blue masks: inside a
// header of 52 bytes or more, after a 40-byte header (as the compiled file
// keeps them), else the colour table's first entries (a header of 41 to 51
// bytes). Empty for BI_RGB, and where there are none.
ByteSpan ColourMasks(const FileBytes& bytes, const BitmapBlocks& bitmap);

}  // namespace zetreader
