// The run model of the kit: what a kind's checked frame code shows, step by
// step and to the millisecond, and how the run ends. The player records its
// steps; a run-time shows them as they come.
//
// The code runs from offset 0. "frame N" shows N for one frame time,
// "repeat F for N" shows F for N frame times, "for A to B" shows A, A±1, ..
// B for one frame time each (one step each), "goto L" continues at L,
// "prob P of Q goto L" continues at L with chance P/Q (a certain jump,
// P = Q, draws nothing). The run ends at the end of the code (the last frame
// stays) or, with `loop`, starts again at offset 0. When an instruction is
// reached again with no draw since its last visit, everything after repeats
// forever: the run cycles. Otherwise it is cut at `maxMs`.
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "reader/frame_code.h"
#include "stepper/chance.h"

namespace zetstep {

struct StepperSettings {
  int64_t frameMs = 100;  // one frame time
  int64_t maxMs = std::numeric_limits<int64_t>::max();
  bool loop = false;
  uint64_t seed = 1;
  // Off for a run-time that plays on: a cycle is then only reported.
  bool stopAtCycle = true;
};

// One step: a frame shown for a time, or a jump.
struct Step {
  int64_t time = 0;     // ms from the start of the run
  uint32_t offset = 0;  // code offset of the instruction
  zetreader::FrameOp op = zetreader::FrameOp::Frame;
  int frame = -1;        // the frame shown; -1 for a jump
  int64_t duration = 0;  // ms the frame is shown (cut short at maxMs)
  bool taken = false;    // a jump that was made (goto, or prob that hit)
  uint32_t next = 0;     // where the code continued
};

enum class Ending {
  Ends,    // the code ended; the last frame stays
  Cycles,  // steps from cycleStep on repeat forever
  Cut,     // cut at maxMs
  Still,   // the code ended without showing a frame: frame 0 stays
};

// One frame time in ms: FRAMETIME units of `unitMs`, or `defaultMs` for a
// FRAMETIME of 0 or less.
int64_t FrameMs(int32_t frameTime, int64_t unitMs, int64_t defaultMs);

// A path of this many instructions that shows no frame would hang a player.
constexpr int kFramelessLimit = 100000;

// Code that would hang a player: the offsets of the loop that shows nothing.
struct HangFault {
  std::vector<uint32_t> offsets;
};

class Stepper {
 public:
  // `code` must be checked by the reader (frames exist, jumps land on
  // instructions or at `codeLength`) and outlive the stepper.
  Stepper(const std::vector<zetreader::Instruction>& code, uint32_t codeLength,
          const StepperSettings& settings);

  // The next step, or nothing when the run is over (ending() says how).
  // Throws HangFault.
  std::optional<Step> Next();

  Ending ending() const { return ending_; }
  int64_t time() const { return time_; }  // ms: the steps' total so far
  uint64_t steps() const { return steps_; }
  uint64_t cycleStep() const { return cycleStep_; }  // Cycles: the first step that repeats
  // The last step before which the code was about to run offset 0 again,
  // after showing a frame: 0 when there was none.
  uint64_t restartStep() const { return restartStep_; }
  int draws() const { return draws_; }

 private:
  std::optional<Step> NextOfRange();
  bool AtEnd();
  bool Cycled();
  std::optional<Step> Execute(const zetreader::Instruction& in);
  std::optional<Step> Show(const zetreader::Instruction& in, int frame, int64_t times,
                           uint32_t next);
  Step Jump(const zetreader::Instruction& in, bool taken, uint32_t target, uint32_t next);
  bool Draw(uint32_t p, uint32_t q);
  Step StepOf(const zetreader::Instruction& in, uint32_t next) const;
  Step Record(const Step& step);

  const std::vector<zetreader::Instruction>& code_;
  const uint32_t codeLength_;
  const StepperSettings settings_;
  Chance chance_;
  std::vector<int64_t> index_;  // instruction at each code offset
  std::vector<int64_t> seen_;   // step at which each offset was last reached
  std::vector<uint32_t> touched_;
  std::vector<uint32_t> frameless_;  // offsets of the jumps since the last frame
  uint32_t pc_ = 0;
  const zetreader::Instruction* range_ = nullptr;  // a `for` under way
  int rangeFrame_ = 0;
  bool over_ = false;
  Ending ending_ = Ending::Ends;
  int64_t time_ = 0;
  uint64_t steps_ = 0;
  uint64_t cycleStep_ = 0;
  uint64_t restartStep_ = 0;
  int draws_ = 0;
  bool shownAny_ = false;
  bool clipped_ = false;
};

}  // namespace zetstep
