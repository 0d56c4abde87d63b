// PNG and animated PNG (acTL, fcTL, fdAT chunks), lossless 8-bit RGB,
// compressed with zlib. No packaged library writes APNG, so the chunks are
// put together here.
#pragma once

#include <cstdint>
#include <string>

#include "player/animation.h"
#include "player/picture.h"

namespace zetplay {

// A still PNG of `width` x `height` RGB pixels, rows `stride` bytes apart.
std::string EncodePng(int width, int height, const uint8_t* rgb, size_t stride);

// The animation's frames, cut from the strip: each later frame stores only
// the rectangle that changed (blended over the one before), delays exact in
// milliseconds; plays forever when it loops, once otherwise. A still
// animation gives a plain PNG.
std::string EncodeApng(const Picture& picture, int frameHeight, const Animation& animation);

}  // namespace zetplay
