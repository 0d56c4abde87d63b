#include "zetdump/dumper.h"

#include <gtest/gtest.h>

#include "reader/layout.h"
#include "reader/test_content.h"

namespace zetdump {

using zetreader::DamageBase;
using zetreader::FileBytes;
using zetreader::FileContent;
using zetreader::FileFault;
using zetreader::LayOutCompiledFile;
using zetreader::ReadTestFile;
using zetreader::RichFile;
using zetreader::Utf8FromShiftJis;

namespace {

// testdata/rich.dump.txt is the reviewed dump of RichFile(): every offset in
// it was worked out by hand from the block sizes.
TEST(DumperTest, DumpOfTheRichFileEqualsTheReviewedText) {
  const std::vector<uint8_t> bytes = LayOutCompiledFile(RichFile());
  std::string text;
  DumpCompiledFile(FileBytes(bytes), text);
  const std::string expected = ReadTestFile("testdata/rich.dump.txt");
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(Utf8FromShiftJis(text), expected);
  // The files the program's own tests read.
  EXPECT_EQ(ReadTestFile("testdata/rich.ztr"), std::string(bytes.begin(), bytes.end()));
  FileContent jump = DamageBase();
  jump.kinds[0].code[24] = 4;  // goto +4, inside "1;"
  const std::vector<uint8_t> jumpBytes = LayOutCompiledFile(jump);
  EXPECT_EQ(ReadTestFile("testdata/jump_into_instruction.ztr"),
            std::string(jumpBytes.begin(), jumpBytes.end()));
}

TEST(DumperTest, DumpStopsAtTheFirstFaultAfterThePartsBeforeIt) {
  std::vector<uint8_t> bytes = LayOutCompiledFile(RichFile());
  bytes[2143 - 13] = 9;  // ASTERISK's first instruction
  std::string text;
  try {
    DumpCompiledFile(FileBytes(bytes), text);
    ADD_FAILURE();
  } catch (const FileFault& fault) {
    EXPECT_EQ(fault.offset, 2130u);
  }
  EXPECT_NE(text.find("[NOICON]"), std::string::npos);
  EXPECT_NE(text.find("goto L3;"), std::string::npos);
  EXPECT_EQ(text.find("[ASTERISK]"), std::string::npos);
}

TEST(DumperTest, ShowTextEscapesControlsAndCharactersWithoutShiftJis) {
  EXPECT_EQ(ShowText(u"見本"), "見本");
  EXPECT_EQ(ShowText(u"a\r\nb\t"), "a\\x0D\\x0Ab\\x09");
  EXPECT_EQ(ShowText(u"caf\u00E9!"), "caf\\u00E9!");
  EXPECT_EQ(ShowText(u"\U0001F600\xDC00"), "\\U0001F600\\uDC00");
}

}  // namespace
}  // namespace zetdump
