#include "compiler/output/wide_text.h"

#include <gtest/gtest.h>

namespace zet {
namespace {

TEST(WideTextTest, ConvertsWithWindowsCodePage932) {
  // The bytes where the variants of Shift-JIS disagree get Windows' mapping.
  const struct {
    const char* text;
    std::u16string expected;
  } cases[] = {
      {"abc", u"abc"},
      {"\x5C", u"\\"},
      {"\x7E", u"~"},
      {"\x81\x5F", u"\uFF3C"},
      {"\x81\x60", u"\uFF5E"},
      {"\x81\x61", u"\u2225"},
      {"\x81\x7C", u"\uFF0D"},
      {"\x81\x91", u"\uFFE0"},
      {"\x81\x92", u"\uFFE1"},
      {"\x81\xCA", u"\uFFE2"},
      {"\x87\x40\xED\x40\xFA\x40", u"\u2460\u7E8A\u2170"},  // NEC and IBM extensions
      {"\xB1\xDD", u"\uFF71\uFF9D"},                        // half-width katakana
      {"完了。", u"\u5B8C\u4E86\u3002"},
      {"表示", u"\u8868\u793A"},  // 95 5C: the trail byte is no backslash
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ToWideText(c.text), c.expected) << c.text;
  }
}

TEST(WideTextTest, MapsTheSingleBytesOutsideJisX0201) {
  EXPECT_EQ(ToWideText("\x80\xA0\xFD\xFE\xFF"), u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3");
}

TEST(WideTextTest, EmptyTextHasNoUnits) {
  EXPECT_EQ(ToWideText(""), u"");
}

#ifndef _WIN32
// What Windows does with bytes that are no character is not settled (Wine
// differs); the Linux build gives the code page's default character.
TEST(WideTextTest, GivesTheDefaultCharacterForNonCharacters) {
  EXPECT_EQ(ToWideText("a\x85\x40"
                       "b"),
            u"a\u30FBb");                      // an unassigned pair
  EXPECT_EQ(ToWideText("a\x81"), u"a\u30FB");  // a lead byte at the end
}
#endif

}  // namespace
}  // namespace zet
