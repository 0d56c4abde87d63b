// The Windows build has no giflib.
#include "player/gif_writer.h"
#include "player/play_error.h"

namespace zetplay {

bool GifAvailable() {
  return false;
}

Gif EncodeGif(const Picture&, int, const Animation&) {
  throw PlayError{"書き出しに失敗しました (GIF)。"};
}

}  // namespace zetplay
