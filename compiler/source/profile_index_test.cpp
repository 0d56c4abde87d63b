// How a source reads, rule by rule. The same cases run against the profile API
// in the Windows build (under Wine) and against our reader in the Linux build.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "compiler/source/source_file.h"
#include "tests/support/test_folder.h"

namespace zet {
namespace {

// Where Wine's profile API differs from Windows, only our reader is checked.
#ifdef _WIN32
constexpr bool kOwnReader = false;
#else
constexpr bool kOwnReader = true;
#endif

std::string Utf16LeFile(const std::u16string& text, const char* bom = "\xFF\xFE") {
  std::string bytes(bom);
  for (const char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

struct StringCase {
  const char* rule;
  std::string file;
  const char* section;
  const char* key;
  const char* defaultText;
  std::string expected;
  bool linuxOnly = false;
};

TEST(ProfileRulesTest, StringsReadAsWindowsReadsThem) {
  const StringCase cases[] = {
      {"CR LF", "[s]\r\nk=v\r\n", "s", "k", "d", "v"},
      {"LF alone", "[s]\nk=v\n", "s", "k", "d", "v"},
      {"CR alone", "[s]\rk=v\r", "s", "k", "d", "v"},
      {"no last line end", "[s]\nk=v", "s", "k", "d", "v"},
      {"runs of line ends", "\r\n\r\n[s]\r\r\n\n\nk=v\n\n", "s", "k", "d", "v"},
      {"ASCII case", "[SeCtIoN]\nKeY=v", "section", "kEy", "d", "v"},
      // 83 41 and 83 61 are two katakana: the trail bytes are no letters.
      {"trail byte not folded", "[\x83\x41]\nk=v", "\x83\x61", "k", "d", "d"},
      {"trail byte not folded in a key", "[s]\n\x83\x41=v", "s", "\x83\x61", "d", "d"},
      {"letters around double-byte characters fold", "[X\x83\x41]\nK\x83\x41y=v", "x\x83\x41",
       "k\x83\x41Y", "d", "v"},
      {"blanks trimmed", " \t\v[\t s \v]\t\n \t k \v= \t v  v \t\v\n", "s", "k", "d", "v  v"},
      {"full-width space kept", "[s]\nk=\x81\x40v\x81\x40\n", "s", "k", "d", "\x81\x40v\x81\x40"},
      {"comment line", "[s]\n;k=v\n", "s", "k", "d", "d"},
      {"indented comment", "[s]\n \t;k=v\nk=w\n", "s", "k", "d", "w"},
      {"comment not read by its name", "[s]\n;k=v\n", "s", ";k", "d", "d", true},
      {"no comment at a line end", "[s]\nk = x ; y\n", "s", "k", "d", "x ; y"},
      {"# is ordinary", "[s]\n#k=v\n", "s", "#k", "d", "v"},
      {"double quotes", "[s]\nk=\"a b\"\n", "s", "k", "d", "a b"},
      {"single quotes", "[s]\nk='x'\n", "s", "k", "d", "x"},
      {"quotes after trimming", "[s]\nk=  'q'  \n", "s", "k", "d", "q"},
      {"blanks inside quotes", "[s]\nk=\" a \"\n", "s", "k", "d", " a "},
      {"mismatched quotes", "[s]\nk=\"mis'\n", "s", "k", "d", "\"mis'"},
      {"lone quote", "[s]\nk=\"\n", "s", "k", "d", "\""},
      {"empty quotes", "[s]\nk=\"\"\n", "s", "k", "d", ""},
      {"quotes stripped once", "[s]\nk=\"\"x\"\"\n", "s", "k", "d", "\"x\""},
      {"inner quote", "[s]\nk=\"a\"b\"\n", "s", "k", "d", "a\"b"},
      {"empty value", "[s]\nk=\n", "s", "k", "d", ""},
      {"blank value", "[s]\nk=  \t\n", "s", "k", "d", ""},
      {"split at the first =", "[s]\nk=a=b\n", "s", "k", "d", "a=b"},
      {"blanks inside a key", "[s]\na b = 1\n", "s", "a b", "d", "1"},
      {"first section of a name only", "[s]\na=1\n[t]\n[S]\na=3\nk=4\n", "s", "k", "d", "d"},
      {"first section keeps its keys", "[s]\na=1\n[t]\n[S]\na=3\n", "s", "a", "d", "1"},
      {"first key wins", "[s]\nk=1\nK=2\n", "s", "k", "d", "1"},
      {"text after ] ignored", "[s]k=2\n", "s", "k", "d", "d"},
      {"header after text", "[s]k=2\nj=1\n", "s", "j", "d", "1"},
      {"E] is no header", "[s]\nE]=x\n", "s", "E]", "d", "x"},
      // 83 5D ends in "]".
      {"] as a trail byte", "[\x83\x5D]\nk=v\n", "\x83\x5D", "k", "d", "v"},
      {"\\ as a trail byte", "[s]\nk=表示\n", "s", "k", "d", "表示"},
      {"missing section", "[s]\nk=v\n", "t", "k", "d", "d"},
      {"keys before any header", "k=v\n[s]\n", "s", "k", "d", "d"},
      {"names in the call lose spaces", "[s]\nk=v\n", "  s ", " k  ", "d", "v"},
      {"default loses trailing spaces", "", "s", "k", "d  ", "d"},
      {"default keeps leading spaces", "", "s", "k", "  d", "  d"},
      {"UTF-16LE", Utf16LeFile(u"[S]\r\nK = '\u8868' \r\n"), "s", "k", "d", "表"},
      {"UTF-8 BOM: later sections", "\xEF\xBB\xBF[s]\nk=v\n[t]\nk=w\n", "t", "k", "d", "w"},
      // Wine differs from Windows in these.
      {"[C without ]", "[C\nk=v\n", "C", "k", "d", "v", true},
      {"[D]x]", "[D]x]\nk=v\n", "D", "k", "d", "v", true},
      {"keys before any header: section \"\"", "k=v\n[s]\n", "", "k", "d", "d", true},
      {"[] section", "[]\nk=v\n", "", "k", "d", "v", true},
      {"tab in the call", "[s]\nk=v\n", "s\t", "k", "d", "d", true},
      {"default of spaces", "", "s", "k", "   ", "", true},
      {"UTF-8 BOM glued to line 1", "\xEF\xBB\xBF[s]\nk=v\n", "s", "k", "d", "d", true},
      {"UTF-16BE not recognised",
       Utf16LeFile(u"\u5B00\u7300\u5D00\u0A00\u6B00\u3D00\u7600", "\xFE\xFF"), "s", "k", "d", "d",
       true},
      // Wine also takes a line without "=" for a key, with no value.
      {"a line without =", "[s]\nk\nk=v\n", "s", "k", "d", "v", true},
      // Not in code page 932; Windows may pick a look-alike.
      {"UTF-16 without a CP932 character", Utf16LeFile(u"[s]\nk=a\u00E9b"), "s", "k", "d", "a?b",
       true},
  };
  const TestFolder folder;
  int index = 0;
  for (const StringCase& c : cases) {
    if (c.linuxOnly && !kOwnReader) {
      continue;
    }
    // A file per case: the profile API may keep a file it has read.
    const SourceFile file(folder.Write("s" + std::to_string(index++) + ".zts", c.file));
    EXPECT_EQ(file.GetString(c.section, c.key, c.defaultText), c.expected) << c.rule;
  }
}

TEST(ProfileRulesTest, IntegersReadAsWindowsReadsThem) {
  const struct {
    const char* value;  // nullptr: no such key
    int32_t expected;
    bool linuxOnly = false;
  } cases[] = {
      {nullptr, 5},
      {"", 5},
      {"''", 5},
      {"42", 42},
      {"-1", -1},
      {"+7", 7},
      {"010", 10},
      {"4294967297", 1},
      {"4294967295", -1},
      {"2147483648", INT32_MIN},
      {"-2147483649", INT32_MAX},
      {"42A9", 42},
      {"12 34", 12},
      {"B42", 0},
      {"abc", 0},
      {"\"42\"", 42},
      {"' 42'", 42},
      {"0x1F", 31},
      {"0xff", 255},
      {"0xFFFFFFFF", -1},
      {"-0x10", -16},
      {"0X1F", 0},
      {"0x", 0},
      {"0xg", 0},
      {"- 5", 0},
      {"+-5", 0},
      // Wine also reads "0b" as binary and "0o" as octal.
      {"0b101", 0, true},
      {"0o17", 0, true},
  };
  const TestFolder folder;
  int index = 0;
  for (const auto& c : cases) {
    if (c.linuxOnly && !kOwnReader) {
      continue;
    }
    const std::string text = c.value == nullptr ? "[s]\nj=1\n" : std::string("[s]\nk=") + c.value;
    const SourceFile file(folder.Write("i" + std::to_string(index++) + ".zts", text));
    EXPECT_EQ(file.GetInt("s", "k", 5), c.expected) << (c.value ? c.value : "(missing)");
  }
}

}  // namespace
}  // namespace zet
