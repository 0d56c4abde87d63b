#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/little_endian.h"
#include "platform/unicode.h"

namespace zet {
namespace {

TEST(LittleEndian, ReadsWhatItPuts) {
  uint8_t bytes[4] = {};
  PutLe32(bytes, 0x12345678);
  EXPECT_EQ(bytes[0], 0x78);
  EXPECT_EQ(bytes[3], 0x12);
  EXPECT_EQ(ReadLe32(bytes), 0x12345678u);
  EXPECT_EQ(ReadLe16(bytes + 2), 0x1234u);
  // The top bit of the last byte must not be taken for a sign.
  const uint8_t high[4] = {0xFF, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(ReadLe32(high), 0xFFFFFFFFu);
  std::string text;
  AppendLe16(text, 0xFF01);
  EXPECT_EQ(text, std::string("\x01\xFF", 2));
}

TEST(Utf8FromUtf16, EveryLengthAndEveryBrokenPair) {
  const struct {
    std::u16string utf16;
    std::string utf8;
  } cases[] = {
      {u"A", "A"},
      {u"\u00E9", "\xC3\xA9"},
      {u"\u65E5", "\xE6\x97\xA5"},
      {u"\uFFFF", "\xEF\xBF\xBF"},
      {u"\U0001F600", "\xF0\x9F\x98\x80"},
      {u"\U0010FFFF", "\xF4\x8F\xBF\xBF"},
      {std::u16string(1, char16_t{0xD83D}), "\xEF\xBF\xBD"},  // high at the end
      {std::u16string(1, char16_t{0xDE00}), "\xEF\xBF\xBD"},  // low alone
      {std::u16string({char16_t{0xD83D}, u'A'}),
       "\xEF\xBF\xBD"
       "A"},  // high, no low
      {std::u16string({char16_t{0xDE00}, char16_t{0xD83D}}), "\xEF\xBF\xBD\xEF\xBF\xBD"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8FromUtf16(c.utf16), c.utf8) << c.utf8;
  }
}

}  // namespace
}  // namespace zet
