#include "player/frame_use.h"

namespace zetplay {

std::vector<FrameUse> UseOf(const Run& run, uint32_t frameCount) {
  std::vector<FrameUse> use(frameCount);
  for (const Step& step : run.steps) {
    if (step.frame >= 0) {
      ++use[step.frame].count;
      use[step.frame].ms += step.duration;
    }
  }
  if (run.ending == Ending::Still && frameCount > 0) {
    use[0].count = 1;
  }
  return use;
}

}  // namespace zetplay
