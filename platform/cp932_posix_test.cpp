#include "platform/cp932_posix.h"

#include <gtest/gtest.h>

namespace zet {
namespace {

// Each direction against Windows' code page 932, both policies in one row.
TEST(Cp932Test, ConvertsAsWindowsDoes) {
  const struct {
    std::string shiftJis;
    std::u16string wide;
    bool mapped;  // false: Fail refuses it; Replace gives `wide`
  } cases[] = {
      {"abc", u"abc", true},
      {"\x5C\x7E", u"\\~", true},
      {"\x81\x60\x81\x5F", u"\uFF5E\uFF3C", true},
      {"\x87\x40\xFA\x40", u"\u2460\u2170", true},  // NEC and IBM extensions
      {"\x95\x5C\xB1", u"\u8868\uFF71", true},      // 表 (trail 5C), half-width ｱ
      {"\x80\xA0\xFD\xFE\xFF", u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3", true},
      {"a\x85\x40"
       "b",
       u"a\u30FBb", false},          // an unassigned pair
      {"a\x81", u"a\u30FB", false},  // a lead byte at the end
  };
  // One converter kept over all rows must give what a fresh one gives, also
  // after a conversion that failed halfway.
  const Cp932Converter kept;
  for (const auto& c : cases) {
    std::u16string wide;
    EXPECT_EQ(Cp932ToUtf16(c.shiftJis, wide, Unmapped::Fail), c.mapped) << c.shiftJis;
    EXPECT_EQ(kept.ToUtf16(c.shiftJis, wide, Unmapped::Fail), c.mapped) << c.shiftJis;
    EXPECT_TRUE(Cp932ToUtf16(c.shiftJis, wide, Unmapped::Replace));
    EXPECT_EQ(wide, c.wide) << c.shiftJis;
    EXPECT_TRUE(kept.ToUtf16(c.shiftJis, wide, Unmapped::Replace));
    EXPECT_EQ(wide, c.wide) << c.shiftJis;
    if (c.mapped) {
      std::string back;
      EXPECT_TRUE(Utf16ToCp932(c.wide, back, Unmapped::Fail));
      EXPECT_EQ(back, c.shiftJis);
      EXPECT_TRUE(kept.FromUtf16(c.wide, back, Unmapped::Fail));
      EXPECT_EQ(back, c.shiftJis);
    } else {
      std::string ignored;
      EXPECT_FALSE(kept.FromUtf16(u"a\u00E9b", ignored, Unmapped::Fail));
    }
  }
}

TEST(Cp932Test, ReplacesWhatCodePage932LacksOrCannotRead) {
  const struct {
    std::u16string wide;
    std::string shiftJis;
  } to932[] = {
      {u"a\U0001F600b", "a?b"},  // one "?" for a surrogate pair
      {u"\u00E9", "?"},
      {u"a\xD800", "a?"},  // a lone surrogate at the end
      {u"\xDC00x", "?x"},
  };
  for (const auto& c : to932) {
    std::string out;
    EXPECT_FALSE(Utf16ToCp932(c.wide, out, Unmapped::Fail));
    EXPECT_TRUE(Utf16ToCp932(c.wide, out, Unmapped::Replace));
    EXPECT_EQ(out, c.shiftJis);
  }
  const struct {
    std::string shiftJis;
    std::string utf8;
  } toUtf8[] = {
      {"完了。", u8"完了。"},
      {"\x85\x40", "?@"},  // byte by byte: the pair's trail byte is ASCII
      {"\x80", "\xC2\x80"},
  };
  for (const auto& c : toUtf8) {
    std::string out;
    EXPECT_TRUE(Cp932ToUtf8(c.shiftJis, out, Unmapped::Replace));
    EXPECT_EQ(out, c.utf8) << c.shiftJis;
  }
}

}  // namespace
}  // namespace zet
