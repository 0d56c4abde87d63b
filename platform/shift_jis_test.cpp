#include "platform/shift_jis.h"

#include <gtest/gtest.h>

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

TEST(ShiftJisTest, ToPosixPathTurnsSeparatorsButNotTrailBytes) {
  const struct {
    const char* path;
    const char* expected;
  } cases[] = {
      {"bmp\\stop.bmp", "bmp/stop.bmp"},
      {"bmp/stop.bmp", "bmp/stop.bmp"},
      {"a\\b/c\\", "a/b/c/"},
      {"\x95\x5C\\x.bmp", "\x95\x5C/x.bmp"},  // 表\x.bmp: the trail byte stays
      {"\x83\x5C\x83\x74\x83\x67.bmp", "\x83\x5C\x83\x74\x83\x67.bmp"},  // ソフト.bmp
      {"\xB1\\x", "\xB1/x"},  // a half-width katakana is one byte
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ToPosixPath(c.path), c.expected) << c.path;
  }
}

}  // namespace
}  // namespace zet
