// How often and how long each frame of the strip is shown in a run.
#pragma once

#include <cstdint>
#include <vector>

#include "player/run.h"

namespace zetplay {

struct FrameUse {
  int64_t count = 0;  // steps that show it
  int64_t ms = 0;
};

// One entry per frame of the strip; the still picture counts as frame 0
// shown once for no time.
std::vector<FrameUse> UseOf(const Run& run, uint32_t frameCount);

}  // namespace zetplay
