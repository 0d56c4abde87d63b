// A kind's run recorded for the player, step by step, by the kit's run model
// (stepper/stepper.h), within the player's budget of `maxMs`.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "reader/frame_code.h"
#include "stepper/stepper.h"

namespace zetplay {

struct RunSettings {
  int64_t frameMs = 100;  // one frame time
  int64_t maxMs = 10000;
  bool loop = false;
  uint64_t seed = 1;
};

using zetstep::Ending;
using zetstep::HangFault;
using zetstep::Step;

struct Run {
  std::vector<Step> steps;
  Ending ending = Ending::Ends;
  int64_t length = 0;    // ms: the steps' total
  size_t cycleStep = 0;  // Cycles: the first step that repeats
  // The last step before which the code was about to run offset 0 again,
  // after showing a frame and before maxMs: where a cut run's export can go
  // back to its start as the code does. 0: no such moment.
  size_t restartStep = 0;
  int draws = 0;  // chances drawn
};

// Plays `code` (checked by the reader: frames exist, jumps land on
// instructions or at `codeLength`). Throws HangFault.
Run PlayCode(const std::vector<zetreader::Instruction>& code, uint32_t codeLength,
             const RunSettings& settings);

}  // namespace zetplay
