// The reader keeps its own copy of the file's tables so that it checks what
// the compiler writes instead of sharing the compiler's code. Here alone the
// two copies meet: this test is built into zetdump_roundtrip_test, which
// links the compiler anyway.
#include "reader/file_format.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <type_traits>
#include <utility>
#include <vector>

#include "compiler/frames/code_buffer.h"
#include "compiler/frames/frame_code.h"
#include "compiler/frames/frame_compiler.h"
#include "compiler/output/compiled_file.h"
#include "compiler/source/message_kind.h"
#include "reader/file_bytes.h"
#include "reader/frame_code.h"

namespace zetreader {
namespace {

std::string Offset(uint32_t offset) {
  return "+" + std::to_string(offset);
}

TEST(FileFormatTest, OpcodesAndInstructionSizesAreTheCompilers) {
  // The compiler's size of an instruction: what it emits for one statement,
  // which the reader's table prints back.
  const struct {
    const char* statement;
    zet::FrameOpcode compilers;
    FrameOp ours;
    const char* printed;
  } cases[] = {
      {"1;", zet::OpFrame, FrameOp::Frame, "1;"},
      {"repeat 1 for 2;", zet::OpRepeat, FrameOp::Repeat, "repeat 1 for 2;"},
      {"for 1 to 0;", zet::OpFor, FrameOp::For, "for 1 to 0;"},
      {"a: goto a;", zet::OpGoto, FrameOp::Goto, "goto +0;"},
      {"0; a: prob 1 of 2 goto a;", zet::OpProb, FrameOp::Prob, "prob 1 of 2 goto +3;"},
  };
  static_assert(std::size(cases) == static_cast<size_t>(kOpcodeCount));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.statement);
    EXPECT_EQ(static_cast<uint8_t>(c.compilers), static_cast<uint8_t>(c.ours));
    zet::CodeBuffer code;
    zet::FrameCompiler(c.statement, code, 2).Compile();
    const std::vector<uint8_t> bytes(code.Bytes(), code.Bytes() + code.Length());
    const std::vector<Instruction> decoded =
        DecodeFrameCode(FileBytes(bytes), 0, code.Length(), 2, "K");
    ASSERT_FALSE(decoded.empty());
    const Instruction& last = decoded.back();
    EXPECT_EQ(last.op, c.ours);
    EXPECT_EQ(code.Length() - last.offset, InstructionSize(c.ours));
    EXPECT_EQ(StatementText(last, Offset), c.printed);
    const zet::FrameOpcodeInfo& table = zet::kFrameOpcodes[c.compilers];
    EXPECT_EQ(table.size, InstructionSize(c.ours));
    EXPECT_EQ(table.operandCount, OperandCount(c.ours));
    EXPECT_EQ(zet::FrameJumpOperand(c.compilers), JumpOperand(c.ours));
  }
  EXPECT_EQ(zet::kFrameOpcodeCount, static_cast<uint32_t>(kOpcodeCount));
  EXPECT_EQ(zet::kMaxFrameCodeSize, kLargestCode);
  EXPECT_EQ(zet::kMaxFrameChance, kLargestChance);
}

TEST(FileFormatTest, HeaderFieldsAreWhereTheCompilerWritesThem) {
  EXPECT_EQ(zet::kCompiledFileVersion, kFormatVersion);
  EXPECT_EQ(zet::kHeaderSize, kHeaderSize);
  // The compiler's names of the fields against the reader's.
  EXPECT_EQ(zet::kVersionOffset, kVersionField);
  EXPECT_EQ(zet::kFileSizeOffset, kSizeField);
  EXPECT_EQ(zet::kCommentOffset, kCommentField);
  EXPECT_EQ(zet::kUserNameOffset, kUserNameField);
  EXPECT_EQ(zet::ButtonOffset(0), kCaptionFields);
  EXPECT_EQ(zet::kKindRecordsOffset, kKindRecords);
  EXPECT_EQ(zet::kKindRecordLength, kKindRecordSize);
  for (int i = 0; i < kKindCount; ++i) {
    const KindFields ours = KindFieldsOf(i);
    EXPECT_EQ(zet::KindFieldOffset(i, zet::KindField::Code), ours.code);
    EXPECT_EQ(zet::KindFieldOffset(i, zet::KindField::Message), ours.message);
  }
  EXPECT_EQ(sizeof(zet::CompiledFileHeader), kHeaderSize);
  EXPECT_EQ(sizeof(zet::KindRecord), kKindRecordSize);
  ASSERT_EQ(zet::kButtonCount, kCaptionCount);
  ASSERT_EQ(zet::kMessageKindCount, kKindCount);
  for (int i = 0; i < kCaptionCount; ++i) {
    EXPECT_STREQ(zet::kButtonKeys[i], kCaptionKeys[i]);
  }
  for (int i = 0; i < kKindCount; ++i) {
    EXPECT_STREQ(zet::kMessageKindNames[i], kKindNames[i]);
  }

  // Every field a value of its own, stored by the compiler, then read back
  // at the reader's offset of that field.
  zet::CompiledFileHeader header;
  uint32_t value = 0x01020300;
  std::vector<std::pair<uint32_t, uint32_t>> fields;  // reader's offset, value
  auto set = [&](auto& field, uint32_t offset) {
    field = static_cast<std::remove_reference_t<decltype(field)>>(++value);
    fields.emplace_back(offset, value);
  };
  set(header.fileSize, kSizeField);
  set(header.comment, kCommentField);
  set(header.userName, kUserNameField);
  for (int i = 0; i < kCaptionCount; ++i) {
    set(header.buttons[i], kCaptionFields + 4 * static_cast<uint32_t>(i));
  }
  for (int i = 0; i < kKindCount; ++i) {
    zet::KindRecord& record = header.kinds[i];
    const KindFields ours = KindFieldsOf(i);
    set(record.bitmapInfo, ours.bitmapInfo);
    set(record.bitmapBits, ours.bitmapBits);
    set(record.frameHeight, ours.frameHeight);
    set(record.frameTime, ours.frameTime);
    set(record.code, ours.code);
    set(record.codeLength, ours.codeLength);
    set(record.suffix, ours.suffix);
    set(record.message, ours.message);
  }
  const auto stored = header.ToBytes();
  ASSERT_EQ(stored.size(), kHeaderSize);
  EXPECT_EQ(std::memcmp(stored.data(), kMagic, sizeof kMagic), 0);
  const FileBytes bytes(std::vector<uint8_t>(stored.begin(), stored.end()));
  EXPECT_EQ(bytes.U32(kVersionField), kFormatVersion);
  EXPECT_EQ(fields.size(), (kHeaderSize - kSizeField) / 4);
  for (const auto& [offset, expected] : fields) {
    EXPECT_EQ(bytes.U32(offset), expected) << HeaderFieldName(offset);
  }
}

}  // namespace
}  // namespace zetreader
