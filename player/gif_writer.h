// Animated GIF through giflib (the Linux build; the Windows build has none
// and says so). Palette: the strip's own colour table where it has one, the
// exact colours of the frames shown where there are at most 256, else a
// palette quantised by giflib's median cut. Each later frame stores only the
// rectangle that changed, written the smallest of a few ways (its unchanged
// pixels kept, transparent, or transparent except where they continue a
// run; the global table or one of its own), and the global table is the
// whole palette or the first frame's colours, whichever file is smaller.
#pragma once

#include <cstdint>
#include <string>

#include "player/animation.h"
#include "player/picture.h"

namespace zetplay {

// Whether this build writes GIF.
bool GifAvailable();

struct Gif {
  std::string bytes;
  bool quantised = false;
  int colours = 0;
  int slowDelays = 0;  // frames whose delay is under 20 ms
};

// Throws PlayError when giflib fails or the build has none.
Gif EncodeGif(const Picture& picture, int frameHeight, const Animation& animation);

}  // namespace zetplay
