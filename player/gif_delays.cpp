#include "player/gif_delays.h"

namespace zetplay {

std::vector<int64_t> GifDelays(const std::vector<int64_t>& milliseconds) {
  std::vector<int64_t> delays;
  int64_t end = 0, endRounded = 0;
  for (int64_t ms : milliseconds) {
    end += ms;
    const int64_t rounded = (end + 5) / 10;
    delays.push_back(rounded - endRounded);
    endRounded = rounded;
  }
  return delays;
}

}  // namespace zetplay
