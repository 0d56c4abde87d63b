#include "player/animation.h"

#include <cstdint>

namespace zetplay {

namespace {

int64_t Total(const std::vector<Shot>& shots) {
  int64_t total = 0;
  for (const Shot& shot : shots) {
    total += shot.ms;
  }
  return total;
}

std::vector<Shot> Merged(const std::vector<Shot>& shots) {
  std::vector<Shot> merged;
  for (const Shot& shot : shots) {
    if (!merged.empty() && merged.back().frame == shot.frame) {
      merged.back().ms += shot.ms;
    } else {
      merged.push_back(shot);
    }
  }
  return merged;
}

// The frames a run shows, and the index of the first at or after `step`
// (the number of frames when `step` is past the last).
std::vector<Shot> ShotsOf(const Run& run, size_t step, size_t& firstAfter) {
  std::vector<Shot> shots;
  firstAfter = SIZE_MAX;
  for (size_t i = 0; i < run.steps.size(); ++i) {
    if (i == step) {
      firstAfter = shots.size();
    }
    if (run.steps[i].frame >= 0) {
      shots.push_back({run.steps[i].frame, run.steps[i].duration});
    }
  }
  if (firstAfter == SIZE_MAX) {
    firstAfter = shots.size();
  }
  return shots;
}

Animation CycleAnimation(const Run& run, int64_t maxMs) {
  Animation animation;
  animation.loops = true;
  size_t start = 0;
  std::vector<Shot> shots = ShotsOf(run, run.cycleStep, start);
  // A lead-in that ends as the cycle ends is the cycle begun earlier.
  while (start > 0 && shots[start - 1] == shots.back()) {
    shots.pop_back();
    --start;
  }
  animation.leadIn = start;
  const std::vector<Shot> cycle(shots.begin() + static_cast<std::ptrdiff_t>(start), shots.end());
  const int64_t cycleMs = Total(cycle);
  animation.cycleRepeats = 1;
  if (start > 0) {
    for (int64_t length = Total(shots); length < maxMs; length += cycleMs) {
      shots.insert(shots.end(), cycle.begin(), cycle.end());
      ++animation.cycleRepeats;
    }
  }
  animation.shots = Merged(shots);
  return animation;
}

}  // namespace

int64_t Animation::Length() const {
  return Total(shots);
}

Animation AnimationOf(const Run& run, int64_t maxMs) {
  if (run.ending == Ending::Still) {
    Animation animation;
    animation.still = true;
    animation.shots.push_back({0, 0});
    return animation;
  }
  if (run.ending == Ending::Cycles) {
    return CycleAnimation(run, maxMs);
  }
  Animation animation;
  size_t restart = 0;
  std::vector<Shot> shots = ShotsOf(run, run.restartStep, restart);
  // A cut run loops only where the code itself goes back to its start;
  // without such a moment it plays once and holds the frame of the cut.
  if (run.ending == Ending::Cut && run.restartStep > 0) {
    shots.resize(restart);
    animation.loops = true;
  }
  animation.shots = Merged(shots);
  return animation;
}

}  // namespace zetplay
