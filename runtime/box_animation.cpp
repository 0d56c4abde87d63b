#include "runtime/box_animation.h"

namespace zetrt {

namespace {

zetstep::StepperSettings Endless(int64_t frameMs, uint64_t seed) {
  zetstep::StepperSettings settings;
  settings.frameMs = frameMs;
  settings.seed = seed;
  settings.stopAtCycle = false;
  return settings;
}

// Whether zetplay, with the same seed and its default length, would refuse
// the code as one that hangs a player.
bool HangsAPlayer(const zetreader::KindRecord& kind, int64_t frameMs, uint64_t seed) {
  zetstep::StepperSettings settings;
  settings.frameMs = frameMs;
  settings.seed = seed;
  settings.maxMs = kPlayerMs;
  zetstep::Stepper stepper(kind.code, kind.codeLength, settings);
  try {
    while (stepper.Next()) {
    }
  } catch (const zetstep::HangFault&) {
    return true;
  }
  return false;
}

}  // namespace

BoxAnimation::BoxAnimation(const zetreader::KindRecord& kind, int64_t frameMs, uint64_t seed)
    : stepper_(kind.code, kind.codeLength, Endless(frameMs, seed)),
      over_(HangsAPlayer(kind, frameMs, seed)) {}

int BoxAnimation::FrameAt(int64_t ms) {
  try {
    while (!over_ && ms >= shownUntil_) {
      const std::optional<zetstep::Step> step = stepper_.Next();
      if (!step) {
        over_ = true;  // the last frame stays; frame 0 where none was shown
      } else if (step->frame >= 0) {
        frame_ = step->frame;
        shownUntil_ = step->time + step->duration;
        ++shownSteps_;
      }
    }
  } catch (const zetstep::HangFault&) {
    over_ = true;  // a loop that shows nothing came later: frame 0 stays
    frame_ = 0;
  }
  return frame_;
}

std::optional<int64_t> BoxAnimation::nextChange() const {
  if (over_) {
    return std::nullopt;
  }
  return shownUntil_;
}

}  // namespace zetrt
