#include "compiler/source/message_kind.h"

#include <gtest/gtest.h>

#include <string>

#include "compiler/source/source_file.h"
#include "tests/support/test_folder.h"

namespace zet {
namespace {

struct Settings {
  std::string bitmapPath;
  int32_t frameHeight;
  int32_t frameTime;
  std::string framesProgram;
  std::string suffix;
  std::string message;
};

void ExpectSettings(const MessageKindSettings& actual, const Settings& expected,
                    const std::string& where) {
  EXPECT_EQ(actual.bitmapPath, expected.bitmapPath) << where;
  EXPECT_EQ(actual.frameHeight, expected.frameHeight) << where;
  EXPECT_EQ(actual.frameTime, expected.frameTime) << where;
  EXPECT_EQ(actual.framesProgram, expected.framesProgram) << where;
  EXPECT_EQ(actual.suffix, expected.suffix) << where;
  EXPECT_EQ(actual.message, expected.message) << where;
  EXPECT_EQ(actual.code.Length(), 0u) << where;
}

// The defaults from "basis", then one kind read over a copy of them, the way
// a source is compiled.
MessageKindSettings ReadKind(const SourceFile& file, MessageKind kind) {
  MessageKindSettings defaults;
  defaults.ReadSettings(SourceSection(file, "basis"));
  MessageKindSettings settings;
  settings = defaults;
  settings.ReadSettings(SourceSection(file, kMessageKindNames[static_cast<int>(kind)]));
  return settings;
}

TEST(MessageKindSettingsTest, KindsWithoutTheirOwnSectionCopyBasis) {
  const TestFolder folder;
  const SourceFile file(
      folder.Write("a.zts",
                   "[basis]\r\nBITMAP=a.bmp\r\nFRAMEHEIGHT=16\r\nFRAMETIME=100\r\n"
                   "FRAMES1=1;\r\nFRAMES2=2;\r\nSUFFIX=s\r\nMESSAGE=m\r\n"));
  const Settings basis = {"a.bmp", 16, 100, "1;\r\n2;", "s", "m"};
  for (int kind = 0; kind < kMessageKindCount; ++kind) {
    ExpectSettings(ReadKind(file, static_cast<MessageKind>(kind)), basis, kMessageKindNames[kind]);
  }
}

TEST(MessageKindSettingsTest, KindsReadOverBasis) {
  const struct {
    const char* rule;
    const char* source;
    MessageKind kind;
    Settings expected;
  } cases[] = {
      {"nothing anywhere", "", MessageKind::Stop, {"", 0, 0, "0;", "", ""}},
      {"no BITMAP anywhere",
       "[basis]\nFRAMETIME=1\n[STOP]\nSUFFIX=x\n",
       MessageKind::Stop,
       {"", 0, 1, "0;", "x", ""}},
      {"all six of the kind",
       "[basis]\nBITMAP=a\nFRAMES1=b;\n[QUESTION]\nBITMAP=q.bmp\n"
       "FRAMEHEIGHT=8\nFRAMETIME=-2\nFRAMES1=q;\nSUFFIX=qs\nMESSAGE=qm\n",
       MessageKind::Question,
       {"q.bmp", 8, -2, "q;", "qs", "qm"}},
      {"two lines",
       "[NOICON]\nFRAMES1=1;\nFRAMES2=goto a;\n",
       MessageKind::NoIcon,
       {"", 0, 0, "1;\r\ngoto a;", "", ""}},
      {"a gap ends the program",
       "[NOICON]\nFRAMES1=1;\nFRAMES3=3;\n",
       MessageKind::NoIcon,
       {"", 0, 0, "1;", "", ""}},
      {"FRAMES2 alone inherits",
       "[basis]\nFRAMES1=b;\n[NOICON]\nFRAMES2=2;\n",
       MessageKind::NoIcon,
       {"", 0, 0, "b;", "", ""}},
      {"empty FRAMES1 inherits",
       "[basis]\nFRAMES1=b;\n[NOICON]\nFRAMES1=\nFRAMES2=2;\n",
       MessageKind::NoIcon,
       {"", 0, 0, "b;", "", ""}},
      {"replaced whole, never merged",
       "[basis]\nFRAMES1=b1;\nFRAMES2=b2;\nFRAMES3=b3;\n[ASTERISK]\nFRAMES1=k1;\n",
       MessageKind::Asterisk,
       {"", 0, 0, "k1;", "", ""}},
      {"no leading zeros",
       "[NOICON]\nFRAMES01=1;\n",
       MessageKind::NoIcon,
       {"", 0, 0, "0;", "", ""}},
      {"0 overrides basis",
       "[basis]\nFRAMEHEIGHT=48\nFRAMETIME=5\n[QUESTION]\nFRAMEHEIGHT=0\n",
       MessageKind::Question,
       {"", 0, 5, "0;", "", ""}},
      {"empty values keep basis",
       "[basis]\nBITMAP=a.bmp\nSUFFIX=s\nMESSAGE=m\n[STOP]\nBITMAP=\nSUFFIX=''\nMESSAGE=  \n",
       MessageKind::Stop,
       {"a.bmp", 0, 0, "0;", "s", "m"}},
      {"section names in any case",
       "[Basis]\nBITMAP=a.bmp\n[exclamation]\nbitmap=e.bmp\n",
       MessageKind::Exclamation,
       {"e.bmp", 0, 0, "0;", "", ""}},
      {"another kind's section",
       "[basis]\nBITMAP=a.bmp\n[STOP]\nBITMAP=s.bmp\n",
       MessageKind::Asterisk,
       {"a.bmp", 0, 0, "0;", "", ""}},
  };
  const TestFolder folder;
  int index = 0;
  for (const auto& c : cases) {
    const SourceFile file(folder.Write(std::to_string(index++) + ".zts", c.source));
    ExpectSettings(ReadKind(file, c.kind), c.expected, c.rule);
  }
}

// Their speed is the benchmark's (make bench).
TEST(MessageKindSettingsTest, TenThousandFramesLinesJoinInOrder) {
  constexpr int kLines = 10000;
  std::string source = "[basis]\r\nBITMAP=a.bmp\r\n";
  std::string expected;
  for (int n = 1; n <= kLines; ++n) {
    const std::string line = std::to_string(n % 100) + ";";
    source += "FRAMES" + std::to_string(n) + "=" + line + "\r\n";
    expected += (n > 1 ? "\r\n" : "") + line;
  }
  source += "[STOP]\r\nSUFFIX=s\r\n";
  const TestFolder folder;
  const std::string path = folder.Write("big.zts", source);

  const SourceFile file(path);
  const MessageKindSettings settings = ReadKind(file, MessageKind::Stop);
  EXPECT_EQ(settings.framesProgram.size(), expected.size());
  EXPECT_TRUE(settings.framesProgram == expected);
}

}  // namespace
}  // namespace zet
