// The Windows build has no giflib.
#include <stdexcept>

#include "player/gif_writer.h"

namespace zetplay {

bool GifAvailable() {
  return false;
}

Gif EncodeGif(const Picture&, int, const Animation&) {
  throw std::runtime_error("GIF");
}

}  // namespace zetplay
