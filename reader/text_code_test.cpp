#include "reader/text_code.h"

#include <gtest/gtest.h>

namespace zetreader {
namespace {

TEST(TextCodeTest, ShiftJisOnlyForTextsThatConvertBackExactly) {
  const struct {
    std::u16string text;
    bool converts;
    std::string shiftJis;
  } cases[] = {
      {u"", true, ""},
      {u"abc", true, "abc"},
      {u"見本", true, "\x8C\xA9\x96\x7B"},
      {u"\uFF5E\\", true, "\x81\x60\\"},  // Windows' wave dash, and 5C as a backslash
      {u"\u0080\uF8F0\uF8F3", true, "\x80\xA0\xFF"},
      {u"caf\u00E9", false, ""},
      {u"\U0001F600", false, ""},
      {u"\xD800", false, ""},  // a lone surrogate
  };
  for (const auto& c : cases) {
    std::string shiftJis;
    EXPECT_EQ(ToShiftJis(c.text, shiftJis), c.converts) << c.shiftJis;
    if (c.converts) {
      EXPECT_EQ(shiftJis, c.shiftJis);
    }
  }
}

}  // namespace
}  // namespace zetreader
