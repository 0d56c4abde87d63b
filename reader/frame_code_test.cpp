#include "reader/frame_code.h"

#include <gtest/gtest.h>

#include "reader/test_content.h"

namespace zetreader {
namespace {

// What a player steps through: each instruction's offset, opcode and
// operands, with only the opcode's own operands set.
TEST(FrameCodeTest, DecodesOffsetsOpcodesAndOperands) {
  const struct {
    uint32_t offset;
    FrameOp op;
    uint16_t operands[3];
    bool jump;
  } expected[] = {
      {0, FrameOp::Frame, {0, 0, 0}, false},  {3, FrameOp::Frame, {1, 0, 0}, false},
      {6, FrameOp::Repeat, {2, 3, 0}, false}, {11, FrameOp::Prob, {1, 4, 3}, true},
      {18, FrameOp::For, {0, 2, 0}, false},   {23, FrameOp::Goto, {3, 0, 0}, true},
  };
  std::vector<uint8_t> code = Code({0xAA, 0xBB});  // the code need not start the file
  const std::vector<uint8_t> loop = LoopCode();
  code.insert(code.end(), loop.begin(), loop.end());
  const std::vector<Instruction> decoded =
      DecodeFrameCode(FileBytes(code), 2, static_cast<uint32_t>(loop.size()), 3, "K");
  ASSERT_EQ(decoded.size(), std::size(expected));
  for (size_t i = 0; i < decoded.size(); ++i) {
    const Instruction& got = decoded[i];
    SCOPED_TRACE(i);
    EXPECT_EQ(got.offset, expected[i].offset);
    EXPECT_EQ(got.op, expected[i].op);
    for (int k = 0; k < 3; ++k) {
      EXPECT_EQ(got.operands[k], expected[i].operands[k]);
    }
    EXPECT_EQ(IsJump(got), expected[i].jump);
    if (expected[i].jump) {
      EXPECT_EQ(JumpTarget(got), 3u);
    }
  }
}

}  // namespace
}  // namespace zetreader
