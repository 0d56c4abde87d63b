// GIF delays count hundredths of a second. Each frame's delay is where its
// end falls, rounded, less where the one before ended, so that the rounding
// never adds up: the total is the animation's length rounded to 10 ms.
#pragma once

#include <cstdint>
#include <vector>

namespace zetplay {

std::vector<int64_t> GifDelays(const std::vector<int64_t>& milliseconds);

// Browsers show delays under this many hundredths more slowly than asked.
constexpr int64_t kSlowGifDelay = 2;

}  // namespace zetplay
