#include "compiler/frames/frame_code.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "compiler/frames/frame_compiler.h"

namespace zet {

// Failures name the kinds (found by argument-dependent lookup, so outside the
// unnamed namespace).
void PrintTo(FrameOperand kind, std::ostream* out) {
  static const char* const kNames[] = {"None", "Frame", "Count", "Chance", "Jump"};
  *out << kNames[static_cast<int>(kind)];
}

namespace {

// The statement under test stands after 100 frame statements (300 bytes),
// behind the label "here". Its numbers are chosen so that an operand's value
// alone tells its kind: frames below 100, chances from 100 to 255, counts
// from 1000, and a jump holds 300, the offset of "here".
constexpr uint32_t kFrames = 100;
constexpr uint16_t kHere = 300;

FrameOperand KindOf(uint16_t value) {
  if (value == kHere) {
    return FrameOperand::Jump;
  }
  if (value < kFrames) {
    return FrameOperand::Frame;
  }
  return value <= kMaxFrameChance ? FrameOperand::Chance : FrameOperand::Count;
}

TEST(FrameCodeTest, CompilerLaysOutEachOpcodeAsTheTableSays) {
  const struct {
    const char* statement;
    FrameOpcode opcode;
  } cases[] = {
      {"42", OpFrame},       {"repeat 7 for 1000", OpRepeat},       {"for 99 to 1", OpFor},
      {"goto here", OpGoto}, {"prob 128 of 255 goto here", OpProb},
  };
  bool covered[kFrameOpcodeCount] = {};
  std::string prefix;
  for (uint32_t i = 0; i < kHere / 3; ++i) {
    prefix += "0; ";
  }
  for (const auto& c : cases) {
    covered[c.opcode] = true;
    const FrameOpcodeInfo& info = kFrameOpcodes[c.opcode];
    CodeBuffer code;
    FrameCompiler((prefix + "here: " + c.statement + ";").c_str(), code, kFrames).Compile();
    ASSERT_EQ(code.Length(), kHere + info.size) << c.statement;
    const uint8_t* instruction = code.Bytes() + kHere;
    EXPECT_EQ(instruction[0], c.opcode) << c.statement;
    for (uint32_t i = 0; i < info.operandCount; ++i) {
      const uint8_t* operand = instruction + FrameOperandOffset(i);
      const uint16_t value = static_cast<uint16_t>(operand[0] | operand[1] << 8);
      EXPECT_EQ(KindOf(value), info.operands[i]) << c.statement << " operand " << i;
    }
  }
  for (uint32_t op = 0; op < kFrameOpcodeCount; ++op) {
    EXPECT_TRUE(covered[op]) << "no statement compiles to opcode " << op;
  }
}

}  // namespace
}  // namespace zet
