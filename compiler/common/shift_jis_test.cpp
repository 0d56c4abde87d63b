#include "compiler/common/shift_jis.h"

#include <gtest/gtest.h>

#include <cstring>

namespace zet {
namespace {

TEST(ShiftJisTest, WholeCharsLengthNeverSplitsACharacter) {
  // "表" is 95 5C: its trail byte is a backslash.
  const struct {
    const char* text;
    size_t length;
    size_t expected;
  } cases[] = {
      {"abc", 3, 3},      {"ab\x95\x5C", 4, 4}, {"ab\x95\x5C", 3, 2}, {"\x95\x5C\x95\x5C", 3, 2},
      {"\xB1\xB2", 1, 1},  // half-width katakana are single bytes
      {"", 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WholeCharsLength(c.text, c.length), c.expected) << c.text << " " << c.length;
  }
}

TEST(ShiftJisTest, FileNameOffsetSkipsTrailBackslashes) {
  const struct {
    const char* path;
    size_t expected;
  } cases[] = {
      {"C:\\dir\\Zetcomp.exe", 7},
      {"C:/dir/Zetcomp.exe", 7},
      {"Zetcomp.exe", 0},
      {"C:\\\x95\x5C\\x.exe", 6},  // 表\ : the folder's own separator only
      {"C:\\a\x95\x5Cx.exe", 3},   // a表x.exe: 0x5C inside the name is no separator
      {"dir\\", 4},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FileNameOffset(c.path), c.expected) << c.path;
  }
}

}  // namespace
}  // namespace zet
