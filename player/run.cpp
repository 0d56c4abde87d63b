#include "player/run.h"

#include <algorithm>
#include <set>

#include "player/random.h"

namespace zetplay {

using zetreader::FrameOp;
using zetreader::Instruction;

namespace {

class Player {
 public:
  Player(const std::vector<Instruction>& code, uint32_t codeLength, const RunSettings& settings)
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

  Run Play() {
    uint32_t pc = 0;
    // A frame cut short at maxMs cuts the run even where the code ends.
    while (!clipped_ && !AtEnd(pc) && !Cycled(pc) && !Cut()) {
      if (pc == 0 && shownAny_) {
        run_.restartStep = run_.steps.size();  // back at the start before maxMs
      }
      seen_[pc] = static_cast<int64_t>(run_.steps.size());
      touched_.push_back(pc);
      pc = Execute(code_[static_cast<size_t>(index_[pc])]);
    }
    if (clipped_) {
      run_.ending = Ending::Cut;
    }
    run_.length = time_;
    return std::move(run_);
  }

 private:
  // At the end of the code; with `loop`, `pc` starts again at 0 unless no
  // frame can ever be shown.
  bool AtEnd(uint32_t& pc) {
    if (pc != codeLength_) {
      return false;
    }
    if (!shownAny_ && (!settings_.loop || run_.draws == 0)) {
      run_.ending = Ending::Still;
      return true;
    }
    if (!settings_.loop) {
      run_.ending = Ending::Ends;
      return true;
    }
    pc = 0;
    return AtEnd(pc);
  }

  // `pc` was visited with no draw since: what followed repeats forever.
  bool Cycled(uint32_t pc) {
    if (seen_[pc] < 0) {
      return false;
    }
    const size_t from = static_cast<size_t>(seen_[pc]);
    const auto shows = [](const Step& step) { return step.frame >= 0; };
    if (std::none_of(run_.steps.begin() + static_cast<std::ptrdiff_t>(from), run_.steps.end(),
                     shows)) {
      std::set<uint32_t> offsets;
      for (size_t i = from; i < run_.steps.size(); ++i) {
        offsets.insert(run_.steps[i].offset);
      }
      throw HangFault{{offsets.begin(), offsets.end()}};
    }
    run_.ending = Ending::Cycles;
    run_.cycleStep = from;
    return true;
  }

  bool Cut() {
    if (time_ < settings_.maxMs) {
      return false;
    }
    run_.ending = Ending::Cut;
    return true;
  }

  uint32_t Execute(const Instruction& in) {
    const uint32_t next = in.offset + zetreader::InstructionSize(in.op);
    switch (in.op) {
      case FrameOp::Frame:
        Show(in, in.operands[0], 1, next);
        return next;
      case FrameOp::Repeat:
        Show(in, in.operands[0], in.operands[1], next);
        return next;
      case FrameOp::For:
        ShowRange(in, next);
        return next;
      case FrameOp::Goto:
        return Jump(in, true, in.operands[0]);
      case FrameOp::Prob:
        return Jump(in, Draw(in.operands[0], in.operands[1]), in.operands[2], next);
    }
    return next;
  }

  void ShowRange(const Instruction& in, uint32_t next) {
    const int from = in.operands[0];
    const int to = in.operands[1];
    const int step = from <= to ? 1 : -1;
    for (int frame = from; time_ < settings_.maxMs; frame += step) {
      Show(in, frame, 1, next);
      if (frame == to) {
        break;
      }
    }
  }

  // Shows `frame` for `times` frame times, cut short at maxMs.
  void Show(const Instruction& in, int frame, int64_t times, uint32_t next) {
    if (time_ >= settings_.maxMs) {
      return;
    }
    Step step = StepOf(in, next);
    step.frame = frame;
    step.duration = times * settings_.frameMs;
    if (step.duration > settings_.maxMs - time_) {
      step.duration = settings_.maxMs - time_;
      clipped_ = true;
    }
    time_ += step.duration;
    run_.steps.push_back(step);
    shownAny_ = true;
    frameless_.clear();
    framelessCount_ = 0;
  }

  uint32_t Jump(const Instruction& in, bool taken, uint32_t target, uint32_t next = 0) {
    Step step = StepOf(in, taken ? target : next);
    step.taken = taken;
    run_.steps.push_back(step);
    // Only a long path needs its offsets: the loop is what it runs after
    // every instruction of the code could have been passed once.
    if (++framelessCount_ > kFramelessLimit / 2) {
      frameless_.insert(in.offset);
    }
    if (framelessCount_ >= kFramelessLimit) {
      throw HangFault{{frameless_.begin(), frameless_.end()}};
    }
    return step.next;
  }

  bool Draw(uint32_t p, uint32_t q) {
    if (p == q) {
      return true;
    }
    ++run_.draws;
    for (uint32_t pc : touched_) {
      seen_[pc] = -1;
    }
    touched_.clear();
    return chance_.Draw(p, q);
  }

  Step StepOf(const Instruction& in, uint32_t next) const {
    Step step;
    step.time = time_;
    step.offset = in.offset;
    step.op = in.op;
    step.next = next;
    return step;
  }

  const std::vector<Instruction>& code_;
  const uint32_t codeLength_;
  const RunSettings settings_;
  Chance chance_;
  std::vector<int64_t> index_;  // instruction at each code offset
  std::vector<int64_t> seen_;   // step at which each offset was last reached
  std::vector<uint32_t> touched_;
  Run run_;
  int64_t time_ = 0;
  bool shownAny_ = false;
  bool clipped_ = false;
  int framelessCount_ = 0;
  std::set<uint32_t> frameless_;
};

}  // namespace

Run PlayCode(const std::vector<Instruction>& code, uint32_t codeLength,
             const RunSettings& settings) {
  return Player(code, codeLength, settings).Play();
}

}  // namespace zetplay
