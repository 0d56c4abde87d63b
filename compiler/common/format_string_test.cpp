#include "compiler/common/format_string.h"

#include <gtest/gtest.h>

#include <string>

namespace zet {
namespace {

TEST(FormatStringTest, ConvertsTheBuildsTextsToShiftJis) {
  // A build that loses -fexec-charset=CP932 fails here.
  EXPECT_EQ(std::string("完了。"), std::string("\x8A\xAE\x97\xB9\x81\x42"));
}

TEST(FormatStringTest, FormatsStringsAndNumbers) {
  EXPECT_EQ(FormatString("frames%d %d:%s\r\n", 2, 13, "x"), "frames2 13:x\r\n");
  EXPECT_EQ(FormatString("%s", ""), "");
}

TEST(FormatStringTest, CutsAt1023BytesOnACharacterBoundary) {
  const std::string ascii(2000, 'a');
  EXPECT_EQ(FormatString("%s\r\n", ascii.c_str()), std::string(1023, 'a'));

  // 1022 ASCII bytes and then a double-byte character: its lead byte would be
  // byte 1023, so the whole character goes.
  const std::string split = std::string(1022, 'a') + "表表";
  EXPECT_EQ(FormatString("%s", split.c_str()), std::string(1022, 'a'));

  const std::string fits = std::string(1021, 'a') + "表表";
  EXPECT_EQ(FormatString("%s", fits.c_str()), std::string(1021, 'a') + "表");
}

}  // namespace
}  // namespace zet
