// What an export holds of a run: the frames in order, each shown frames in a
// row merged into one with the summed time, and whether it loops.
//
// A run that ends plays once and keeps its last frame. A cycle that starts
// the run (after moving its start back over a lead-in that repeats its own
// end) is held once and loops forever, seamlessly. A cycle after a lead-in
// cannot loop on its own in a picture file: the lead-in and then the cycle
// as often as it takes to reach maxMs, looping from the start. A cut run
// holds what it shows up to the last moment at which the code was about to
// go back to its start, and loops, so that the seam is the code's own way
// back; a cut run that never goes back plays once and holds its last frame.
#pragma once

#include <cstdint>
#include <vector>

#include "player/run.h"

namespace zetplay {

struct Shot {
  int frame = 0;
  int64_t ms = 0;
  bool operator==(const Shot& other) const { return frame == other.frame && ms == other.ms; }
};

struct Animation {
  std::vector<Shot> shots;
  bool loops = false;
  bool still = false;    // a single picture: the code showed no frame
  size_t leadIn = 0;     // unmerged shots before the cycle (Cycles)
  int cycleRepeats = 0;  // how often the cycle is held (Cycles)
  int64_t Length() const;
};

Animation AnimationOf(const Run& run, int64_t maxMs);

}  // namespace zetplay
