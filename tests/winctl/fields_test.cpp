#include "tests/winctl/fields.h"

#include <gtest/gtest.h>

namespace zet::winctl {
namespace {

TEST(FieldsTest, EscapeAndUnescapeRoundTrip) {
  // 表 is 95 5C and ソ is 83 5C: their trail bytes are no backslash.
  const struct {
    std::string text;
    std::string escaped;
  } cases[] = {
      {"plain", "plain"},
      {"a\\b", "a\\\\b"},
      {"\t\r\n", "\\t\\r\\n"},
      {std::string("\x01\x1A\x7F", 3), "\\x01\\x1A\\x7F"},
      {std::string("\0", 1), "\\x00"},
      {"\x95\x5C\x83\x5C", "\x95\x5C\x83\x5C"},
      {"\x95\x5C\\", "\x95\x5C\\\\"},
      {"\xB6\xC5", "\xB6\xC5"},  // half-width katakana are single bytes
      {"x\x95", "x\\x95"},       // a lead byte cut off at the end
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Escape(c.text), c.escaped) << c.escaped;
    EXPECT_EQ(Unescape(c.escaped), c.text) << c.escaped;
  }
}

TEST(FieldsTest, UnescapeTakesSpaceAndRejectsBrokenEscapes) {
  EXPECT_EQ(Unescape("a\\sb"), "a b");
  for (const char* broken : {"a\\", "\\q", "\\x4", "\\xZZ"}) {
    EXPECT_THROW(Unescape(broken), std::string) << broken;
  }
}

TEST(FieldsTest, SplitFieldsAtTabsElseAtSpaces) {
  const struct {
    std::string line;
    std::vector<std::string> fields;
  } cases[] = {
      {"click 0x1F", {"click", "0x1F"}},
      {"  wait   500  class=#32770 ", {"wait", "500", "class=#32770"}},
      {"set-text\t0x2\ta b", {"set-text", "0x2", "a b"}},
      {"set-text\t0x2\t", {"set-text", "0x2", ""}},
      {"title=\x95\x5C \x83\x5C", {"title=\x95\x5C", "\x83\x5C"}},
      {"", {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SplitFields(c.line), c.fields) << c.line;
  }
}

TEST(FieldsTest, NumbersInDecimalAndHex) {
  const struct {
    const char* field;
    int64_t value;
  } cases[] = {
      {"0", 0},           {"1004", 1004}, {"-1", -1},
      {"0x4034", 0x4034}, {"0XfF", 255},  {"0x1234ABCD5678", 0x1234ABCD5678},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseNumber(c.field), c.value) << c.field;
  }
  for (const char* bad : {"", "-", "0x", "12a", "x1", " 1"}) {
    EXPECT_THROW(ParseNumber(bad), std::string) << bad;
  }
  EXPECT_EQ(FormatHex(0), "0x0");
  EXPECT_EQ(FormatHex(0x4034), "0x4034");
}

}  // namespace
}  // namespace zet::winctl
