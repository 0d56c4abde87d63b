// What a box shows of a kind at a moment: the run model played on as the
// clock goes, frame by frame, so that a busy machine skips frames instead of
// slowing the animation. Code that would hang a player (zetplay with the same
// seed) shows frame 0 still; a loop that shows nothing found later stops the
// animation there, on frame 0.
#pragma once

#include <cstdint>
#include <optional>

#include "reader/compiled_file.h"
#include "stepper/stepper.h"

namespace zetrt {

// zetplay's default length of a run, within which it finds code that hangs.
constexpr int64_t kPlayerMs = 10000;

class BoxAnimation {
 public:
  BoxAnimation(const zetreader::KindRecord& kind, int64_t frameMs, uint64_t seed);

  // Plays up to `ms` from the start and returns the frame shown then.
  int FrameAt(int64_t ms);
  int frame() const { return frame_; }
  // The steps that have shown a frame so far, the one shown now included.
  uint64_t shownSteps() const { return shownSteps_; }
  // When the frame shown now gives way to the next; nothing when it stays.
  std::optional<int64_t> nextChange() const;

 private:
  zetstep::Stepper stepper_;
  int frame_ = 0;
  int64_t shownUntil_ = 0;
  uint64_t shownSteps_ = 0;
  bool over_ = false;
};

}  // namespace zetrt
