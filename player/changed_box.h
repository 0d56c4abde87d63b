// The rectangle in which one frame differs from the one before: animated
// PNG and GIF store only that part of each later frame.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zetplay {

struct Box {
  int x = 0, y = 0, width = 0, height = 0;  // width 0: no pixel differs
};

// Frames of `width` x `height` pixels of `pixelBytes` bytes each.
Box ChangedBox(const uint8_t* before, const uint8_t* after, int width, int height, int pixelBytes);

}  // namespace zetplay
