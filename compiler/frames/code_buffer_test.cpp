#include "compiler/frames/code_buffer.h"

#include <gtest/gtest.h>

#include <vector>

#include "compiler/frames/ani_error.h"

namespace zet {
namespace {

TEST(CodeBufferTest, FillsToExactlyTheCapacityAndNoFurther) {
  CodeBuffer code;
  const std::vector<uint8_t> filler(kCodeBufferCapacity - 2, 0x11);
  EXPECT_EQ(code.Append(filler.data(), static_cast<uint32_t>(filler.size())), 0);
  const uint8_t last[2] = {0xAB, 0xCD};
  EXPECT_EQ(code.Append(last, 2), kCodeBufferCapacity - 2);
  EXPECT_EQ(code.Length(), kCodeBufferCapacity);

  EXPECT_THROW(code.Append(last, 1), AniCodeSizeTooLarge);
  EXPECT_EQ(code.Length(), kCodeBufferCapacity);
  EXPECT_EQ(code.Bytes()[kCodeBufferCapacity - 1], 0xCD);
}

TEST(CodeBufferTest, RejectsACountThatWouldWrapTheLength) {
  CodeBuffer code;
  const uint8_t byte = 1;
  code.Append(&byte, 1);
  // 1 + 0xFFFFFFFF wraps to 0 in 32 bits; it must still be refused.
  EXPECT_THROW(code.Append(&byte, 0xFFFFFFFFu), AniCodeSizeTooLarge);
  EXPECT_EQ(code.Length(), 1u);
}

TEST(CodeBufferTest, PatchesLittleEndianInsideTheCodeAndCopiesTheUsedBytes) {
  CodeBuffer code;
  const uint8_t bytes[4] = {3, 0, 0, 9};
  code.Append(bytes, 4);
  code.Patch16(1, 0x1234);
  code.Patch16(3, 0xFFFF);  // would reach past the code: left alone
  CodeBuffer copy;
  copy = code;
  EXPECT_EQ(std::vector<uint8_t>(copy.Bytes(), copy.Bytes() + copy.Length()),
            (std::vector<uint8_t>{3, 0x34, 0x12, 9}));
}

}  // namespace
}  // namespace zet
