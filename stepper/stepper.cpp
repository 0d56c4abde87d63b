#include "stepper/stepper.h"

#include <set>

namespace zetstep {

using zetreader::FrameOp;
using zetreader::Instruction;

int64_t FrameMs(int32_t frameTime, int64_t unitMs, int64_t defaultMs) {
  return frameTime > 0 ? frameTime * unitMs : defaultMs;
}

Stepper::Stepper(const std::vector<Instruction>& code, uint32_t codeLength,
                 const StepperSettings& settings)
    : code_(code),
      codeLength_(codeLength),
      settings_(settings),
      chance_(settings.seed),
      index_(codeLength + 1, -1),
      seen_(codeLength + 1, -1) {
  for (size_t i = 0; i < code.size(); ++i) {
    index_[code[i].offset] = static_cast<int64_t>(i);
  }
}

std::optional<Step> Stepper::Next() {
  if (over_) {
    return std::nullopt;
  }
  if (range_) {
    if (std::optional<Step> step = NextOfRange()) {
      return step;
    }
  }
  // A frame cut short at maxMs cuts the run even where the code ends.
  if (clipped_) {
    ending_ = Ending::Cut;
    over_ = true;
  } else if (AtEnd() || Cycled()) {
    over_ = true;  // AtEnd and Cycled say how
  } else if (time_ >= settings_.maxMs) {
    ending_ = Ending::Cut;
    over_ = true;
  }
  if (over_) {
    return std::nullopt;
  }
  if (pc_ == 0 && shownAny_) {
    restartStep_ = steps_;  // back at the start
  }
  seen_[pc_] = static_cast<int64_t>(steps_);
  touched_.push_back(pc_);
  return Execute(code_[static_cast<size_t>(index_[pc_])]);
}

// At the end of the code; with `loop`, the code starts again at 0 unless no
// frame can ever be shown.
bool Stepper::AtEnd() {
  if (pc_ != codeLength_) {
    return false;
  }
  if (!shownAny_ && (!settings_.loop || draws_ == 0)) {
    ending_ = Ending::Still;
    return true;
  }
  if (!settings_.loop) {
    ending_ = Ending::Ends;
    return true;
  }
  pc_ = 0;
  return AtEnd();
}

// `pc_` was reached before with no draw since: what followed repeats forever,
// unless it showed nothing, which would hang a player.
bool Stepper::Cycled() {
  if (seen_[pc_] < 0) {
    return false;
  }
  const uint64_t since = steps_ - static_cast<uint64_t>(seen_[pc_]);
  if (since <= frameless_.size()) {
    const std::set<uint32_t> offsets(frameless_.end() - static_cast<std::ptrdiff_t>(since),
                                     frameless_.end());
    throw HangFault{{offsets.begin(), offsets.end()}};
  }
  ending_ = Ending::Cycles;
  cycleStep_ = static_cast<uint64_t>(seen_[pc_]);
  return settings_.stopAtCycle;
}

std::optional<Step> Stepper::Execute(const Instruction& in) {
  const uint32_t next = in.offset + zetreader::InstructionSize(in.op);
  pc_ = next;
  switch (in.op) {
    case FrameOp::Frame:
      return Show(in, in.operands[0], 1, next);
    case FrameOp::Repeat:
      return Show(in, in.operands[0], in.operands[1], next);
    case FrameOp::For:
      range_ = &in;
      rangeFrame_ = in.operands[0];
      return NextOfRange();
    case FrameOp::Goto:
      return Jump(in, true, zetreader::JumpTarget(in), next);
    case FrameOp::Prob:
      return Jump(in, Draw(in.operands[0], in.operands[1]), zetreader::JumpTarget(in), next);
  }
  return std::nullopt;
}

// The next frame of a `for`, until its last or maxMs.
std::optional<Step> Stepper::NextOfRange() {
  const int to = range_->operands[1];
  const int frame = rangeFrame_;
  std::optional<Step> step = Show(*range_, frame, 1, pc_);
  if (!step || frame == to) {
    range_ = nullptr;
  } else {
    rangeFrame_ += range_->operands[0] <= to ? 1 : -1;
  }
  return step;
}

// Shows `frame` for `times` frame times, cut short at maxMs.
std::optional<Step> Stepper::Show(const Instruction& in, int frame, int64_t times, uint32_t next) {
  if (time_ >= settings_.maxMs) {
    return std::nullopt;
  }
  Step step = StepOf(in, next);
  step.frame = frame;
  step.duration = times * settings_.frameMs;
  if (step.duration > settings_.maxMs - time_) {
    step.duration = settings_.maxMs - time_;
    clipped_ = true;
  }
  time_ += step.duration;
  shownAny_ = true;
  frameless_.clear();
  return Record(step);
}

Step Stepper::Jump(const Instruction& in, bool taken, uint32_t target, uint32_t next) {
  Step step = StepOf(in, taken ? target : next);
  step.taken = taken;
  pc_ = step.next;
  frameless_.push_back(in.offset);
  // The loop is what the path runs after every instruction of the code could
  // have been passed once: its second half.
  if (frameless_.size() >= static_cast<size_t>(kFramelessLimit)) {
    const std::set<uint32_t> offsets(frameless_.begin() + kFramelessLimit / 2, frameless_.end());
    throw HangFault{{offsets.begin(), offsets.end()}};
  }
  return Record(step);
}

bool Stepper::Draw(uint32_t p, uint32_t q) {
  if (p == q) {
    return true;
  }
  ++draws_;
  for (uint32_t pc : touched_) {
    seen_[pc] = -1;
  }
  touched_.clear();
  return chance_.Draw(p, q);
}

Step Stepper::StepOf(const Instruction& in, uint32_t next) const {
  Step step;
  step.time = time_;
  step.offset = in.offset;
  step.op = in.op;
  step.next = next;
  return step;
}

Step Stepper::Record(const Step& step) {
  ++steps_;
  return step;
}

}  // namespace zetstep
