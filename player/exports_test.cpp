// The parts of the exports that no decoder shows directly: GIF delays that
// carry their rounding, texts for the page, the names of per-kind files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "player/gif_delays.h"
#include "player/options.h"
#include "player/web_text.h"

namespace zetplay {
namespace {

TEST(GifDelays, CarryTheRounding) {
  const struct {
    std::vector<int64_t> ms, hundredths;
  } cases[] = {
      {{100, 100}, {10, 10}},
      {{4, 4, 4, 4, 4}, {0, 1, 0, 1, 0}},  // 20 ms in all
      {{15, 15, 15}, {2, 1, 2}},           // ends at 15, 30, 45: 2, 3, 5
      {{7, 7, 7, 7, 7, 7, 7, 7, 7, 7}, {1, 0, 1, 1, 1, 0, 1, 1, 0, 1}},
      {{655360}, {65536}},  // past 16 bits: the writer splits it
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GifDelays(c.ms), c.hundredths);
  }
}

TEST(WebText, Escapes) {
  EXPECT_EQ(EscapeHtml("<a href=\"x\">&'</a>"), "&lt;a href=&quot;x&quot;&gt;&amp;&#39;&lt;/a&gt;");
  const struct {
    const char* in;
    const char* out;
  } base64[] = {{"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"}, {"\xff\xfe", "//4="}};
  for (const auto& c : base64) {
    EXPECT_EQ(Base64(c.in), c.out) << c.in;
  }
}

TEST(PathForKind, PutsTheKindBeforeTheExtension) {
  const struct {
    const char* path;
    const char* named;
  } cases[] = {
      {"out.png", "out.QUESTION.png"},       {"dir.v2/out", "dir.v2/out.QUESTION"},
      {"a/.hidden", "a/.hidden.QUESTION"},   {"x.tar.gz", "x.tar.QUESTION.gz"},
      {"\x95\\.png", "\x95\\.QUESTION.png"},  // a Shift-JIS character ending in 0x5C
      {"sub\\a.gif", "sub\\a.QUESTION.gif"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PathForKind(c.path, 4), c.named) << c.path;
  }
}

TEST(ParseOptions, RefusesWrongUse) {
  const std::vector<std::vector<const char*>> wrong = {
      {"zetplay"},
      {"zetplay", "a.ztr", "b.ztr"},
      {"zetplay", "--apng"},
      {"zetplay", "--seed", "-1", "a.ztr"},
      {"zetplay", "--seed", "18446744073709551616", "a.ztr"},
      {"zetplay", "--max-ms", "0", "a.ztr"},
      {"zetplay", "--max-ms", "3600001", "a.ztr"},
      {"zetplay", "--unit", "1x", "a.ztr"},
      {"zetplay", "--kind", "WARNING", "a.ztr"},
      {"zetplay", "--frames", "a.ztr"},
  };
  for (const auto& argv : wrong) {
    EXPECT_THROW(ParseOptions(static_cast<int>(argv.size()), argv.data()), UsageError)
        << argv.back();
  }
  const std::vector<const char*> right = {"zetplay", "--seed",   "18446744073709551615",
                                          "--kind",  "question", "--max-ms",
                                          "3600000", "a.ztr"};
  const Options options = ParseOptions(static_cast<int>(right.size()), right.data());
  EXPECT_EQ(options.settings.seed, UINT64_MAX);
  EXPECT_EQ(options.kind, 4);
  EXPECT_EQ(options.settings.maxMs, 3600000);
}

}  // namespace
}  // namespace zetplay
