#include "compiler/output/posix_path.h"

#include <gtest/gtest.h>

namespace zet {
namespace {

TEST(PosixPathTest, TurnsSeparatorsButNotTrailBytes) {
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
