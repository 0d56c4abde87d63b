#include "zetdump/source_text.h"

#include <gtest/gtest.h>

#include "reader/test_content.h"

namespace zetdump {

using zetreader::Assemble;
using zetreader::DecodeFrameCode;
using zetreader::FileBytes;
using zetreader::FrameOp;
using zetreader::Instruction;
using zetreader::LoopCode;

namespace {

std::vector<Instruction> Decode(const std::vector<uint8_t>& code, uint32_t frameCount = 3) {
  return DecodeFrameCode(FileBytes(code), 0, static_cast<uint32_t>(code.size()), frameCount, "K");
}

TEST(FrameCodeTest, FramesValuesLabelTargetsAndCutLinesBetweenStatements) {
  const struct {
    std::vector<uint8_t> code;
    size_t lineLimit;
    std::vector<std::string> expected;
  } cases[] = {
      {LoopCode(),
       kLongestValue,
       {"0; L3: 1; repeat 2 for 3; prob 1 of 4 goto L3; for 0 to 2; goto L3;"}},
      // "for 0 to 2; goto L3;" is exactly 20 bytes; "0; L3: 1; repeat 2 for 3;" is 25.
      {LoopCode(),
       20,
       {"0; L3: 1;", "repeat 2 for 3;", "prob 1 of 4 goto L3;", "for 0 to 2; goto L3;"}},
      {LoopCode(),
       19,
       {"0; L3: 1;", "repeat 2 for 3;", "prob 1 of 4 goto L3;", "for 0 to 2;", "goto L3;"}},
      {{}, kLongestValue, {"to;"}},
      {Assemble({{FrameOp::Goto, {0}}}), kLongestValue, {"L0: goto L0;"}},
      {Assemble({{FrameOp::Goto, {3}}}), kLongestValue, {"goto L3; L3: to;"}},
  };
  for (const auto& c : cases) {
    const std::vector<Instruction> code = Decode(c.code);
    EXPECT_EQ(FramesValues(code, static_cast<uint32_t>(c.code.size()), c.lineLimit), c.expected)
        << c.lineLimit;
  }
}

TEST(SourceTextTest, ValuesTheReaderWouldTrimOrUnquoteGoInQuotes) {
  const struct {
    std::string value;
    std::string line;
  } cases[] = {
      {"abc", "K=abc\r\n"},     {"a b", "K=a b\r\n"},           {" a", "K=\" a\"\r\n"},
      {"a\t", "K=\"a\t\"\r\n"}, {"\v", "K=\"\v\"\r\n"},         {"'x'", "K=\"'x'\"\r\n"},
      {"\"", "K=\"\"\"\r\n"},   {"a\"b", "K=a\"b\r\n"},         {"x'", "K=\"x'\"\r\n"},
      {"=;[", "K==;[\r\n"},     {"\x81\x40", "K=\x81\x40\r\n"},  // the full-width space is no blank
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SourceLine("K", c.value), c.line) << c.value;
  }
}

}  // namespace
}  // namespace zetdump
