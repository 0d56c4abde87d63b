// The run model as a run-time uses it: played on past the point where the
// player stops, it shows what the player's record says repeats.
#include "stepper/stepper.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zetstep {
namespace {

using zetreader::FrameOp;
using zetreader::Instruction;

struct Op {
  FrameOp op;
  std::vector<uint16_t> operands;
};

// Instructions at their offsets, as the reader decodes them.
std::vector<Instruction> Program(const std::vector<Op>& ops, uint32_t& length) {
  std::vector<Instruction> code;
  length = 0;
  for (const Op& op : ops) {
    Instruction in;
    in.offset = length;
    in.op = op.op;
    for (size_t i = 0; i < op.operands.size(); ++i) {
      in.operands[i] = op.operands[i];
    }
    code.push_back(in);
    length += zetreader::InstructionSize(op.op);
  }
  return code;
}

std::string Shown(const Step& step) {
  return std::to_string(step.offset) + ":" + std::to_string(step.frame) + ":" +
         std::to_string(step.duration);
}

TEST(Stepper, PlaysOnThroughACycleAsTheRecordRepeatsIt) {
  const struct {
    const char* name;
    std::vector<Op> ops;
    bool loop;
  } cases[] = {
      {"a: 0; 1; goto a;",
       {{FrameOp::Frame, {0}}, {FrameOp::Frame, {1}}, {FrameOp::Goto, {0}}},
       false},
      {"2; a: for 0 to 3; repeat 1 for 4; goto a;",
       {{FrameOp::Frame, {2}},
        {FrameOp::For, {0, 3}},
        {FrameOp::Repeat, {1, 4}},
        {FrameOp::Goto, {3}}},
       false},
      {"0; 1; with loop", {{FrameOp::Frame, {0}}, {FrameOp::Frame, {1}}}, true},
      {"a: 0; prob 5 of 5 goto a;", {{FrameOp::Frame, {0}}, {FrameOp::Prob, {5, 5, 0}}}, false},
  };
  for (const auto& c : cases) {
    uint32_t length = 0;
    const std::vector<Instruction> code = Program(c.ops, length);
    StepperSettings settings;
    settings.loop = c.loop;
    Stepper recorder(code, length, settings);
    std::vector<Step> record;
    while (std::optional<Step> step = recorder.Next()) {
      record.push_back(*step);
    }
    ASSERT_EQ(recorder.ending(), Ending::Cycles) << c.name;
    settings.stopAtCycle = false;
    Stepper endless(code, length, settings);
    size_t at = 0;
    for (int n = 0; n < 500; ++n) {
      const std::optional<Step> step = endless.Next();
      ASSERT_TRUE(step) << c.name;
      ASSERT_EQ(Shown(*step), Shown(record[at])) << c.name << " step " << n;
      at = at + 1 < record.size() ? at + 1 : recorder.cycleStep();
    }
  }
}

TEST(Stepper, PlayingOnStillRefusesLoopsThatShowNothing) {
  uint32_t length = 0;
  const std::vector<Instruction> code =
      Program({{FrameOp::Frame, {0}}, {FrameOp::Goto, {6}}, {FrameOp::Goto, {3}}}, length);
  StepperSettings settings;
  settings.stopAtCycle = false;
  Stepper stepper(code, length, settings);
  try {
    while (stepper.Next()) {
    }
    ADD_FAILURE() << "ended";
  } catch (const HangFault& fault) {
    EXPECT_EQ(fault.offsets, (std::vector<uint32_t>{3, 6}));
  }
}

// SplitMix64's published first outputs from state 0: the generator is the
// same everywhere.
TEST(Chance, IsSplitMix64) {
  Chance chance(0);
  EXPECT_EQ(chance.Next(), 0xE220A8397B1DCDAFu);
  EXPECT_EQ(chance.Next(), 0x6E789E6AA1B965F4u);
  EXPECT_EQ(chance.Next(), 0x06C45D188009454Fu);
}

TEST(Chance, DrawsInProportion) {
  const struct { uint32_t p, q; } chances[] = {{1, 4}, {1, 255}, {254, 255}, {255, 255}, {3, 7}};
  for (const auto& c : chances) {
    Chance chance(1);
    int taken = 0;
    const int draws = 200000;
    for (int i = 0; i < draws; ++i) {
      taken += chance.Draw(c.p, c.q);
    }
    EXPECT_NEAR(static_cast<double>(taken) / draws, static_cast<double>(c.p) / c.q, 0.005)
        << c.p << " of " << c.q;
  }
}

}  // namespace
}  // namespace zetstep
