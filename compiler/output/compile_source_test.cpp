#include "compiler/output/compile_source.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "compiler/output/compile_kind.h"
#include "compiler/output/compiled_file.h"
#include "compiler/output/test_files.h"
#include "compiler/output/test_platform.h"
#include "platform/system_message.h"
#include "platform/win32_error.h"

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#endif

namespace zet {
namespace {

const char kVersionMessage[] = "[basis]中の version が指定されていないか、対応できない値です。\r\n";
const char kOutputMessage[] = "[BASIS]中に OUTPUT が指定されていません。\r\n";
const char kFrameHeightMessage[] = "FRAMEHEIGHTがビットマップの高さを超えています。\r\n";
const char kSameFileMessage[] = "OUTPUT が入力ファイルと同じです。\r\n";

std::string KindFailure(const char* kind, const std::string& text) {
  return std::string("[") + kind + "]の処理中にエラーが発生しました。\r\n" + text;
}

// A source whose [basis] has version, output and BITMAP, then `rest`.
std::string Source(const std::string& rest, const std::string& bitmap = "strip.bmp") {
  return "[basis]\r\nversion=11\r\noutput=out.ztr\r\nBITMAP=" + bitmap + "\r\n" + rest;
}

class CompileSourceTest : public ::testing::Test {
 protected:
  CompileSourceTest() : scope_(folder_.Path()) { WriteFile("strip.bmp", MakeBitmap(10, 100, 24)); }

  // "" when the source compiles, else what was thrown.
  static std::string Compile(const char* path = "src.zts") {
    try {
      CompileSourceFile(path);
    } catch (const std::string& message) {
      return message;
    } catch (const Win32Error& error) {
      return "Win32Error " + std::to_string(error.code);
    }
    return "";
  }

  std::string CompileSource(const std::string& text) {
    WriteFile("src.zts", text);
    return Compile();
  }

  TestFolder folder_;
  CurrentFolderScope scope_;
};

TEST_F(CompileSourceTest, WritesTheWorkedLayout) {
  WriteFile("strip.bmp", MakeBitmap(10, 20, 24));
  ASSERT_EQ(CompileSource(Source("comment=abc\r\n[BUTTONS]\r\nOK=OK\r\n")), "");

  std::string expected(kHeaderSize, '\0');
  expected.replace(kMagicOffset, 8, std::string("ZTRV\x0B\0\0\0", 8));
  Put32(expected, kFileSizeOffset, 929);
  Put32(expected, kCommentOffset, 220);
  Put32(expected, ButtonOffset(0), 228);  // "OK"
  const uint32_t codes[] = {234, 917, 920, 923, 926};
  for (int k = 0; k < 5; ++k) {
    Put32(expected, KindFieldOffset(k, KindField::BitmapInfo), 237);
    Put32(expected, KindFieldOffset(k, KindField::BitmapBits), 277);
    // FRAMEHEIGHT 0: the bitmap height
    Put32(expected, KindFieldOffset(k, KindField::FrameHeight), 20);
    Put32(expected, KindFieldOffset(k, KindField::Code), codes[k]);
    Put32(expected, KindFieldOffset(k, KindField::CodeLength), 3);
  }
  const std::string bitmap = ReadFile("strip.bmp");
  const std::string code("\0\0\0", 3);  // "0;"
  expected += WideBlock("abc") + WideBlock("OK") + code + bitmap.substr(14, 40) +
              bitmap.substr(54, 640) + code + code + code + code;
  ASSERT_EQ(expected.size(), 929u);
  EXPECT_EQ(ReadFile("out.ztr"), expected);
  EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"out.ztr", "src.zts", "strip.bmp"}));
}

TEST_F(CompileSourceTest, FailsWithTheExactMessageAndWritesNothing) {
  WriteFile("bad.bmp", "BA" + MakeBitmap(4, 4, 24).substr(2));
  WriteFile("empty.bmp", "");
  WriteFile("flat.bmp", MakeBitmap(4, 0, 24));
  MakeFolder("folder.bmp");
  const struct {
    const char* what;
    std::string source;
    std::string expected;
  } cases[] = {
      {"no version", "[basis]\r\noutput=out.ztr\r\n", kVersionMessage},
      {"version 10, no output", "[basis]\r\nversion=10\r\n", kVersionMessage},
      {"version 12", "[basis]\r\nversion=12\r\noutput=out.ztr\r\n", kVersionMessage},
      {"no output", "[basis]\r\nversion=11\r\nBITMAP=strip.bmp\r\n", kOutputMessage},
      {"empty output", "[basis]\r\nversion=11\r\noutput=\r\n", kOutputMessage},
      {"no bitmap", "[basis]\r\nversion=11\r\noutput=out.ztr\r\n",
       KindFailure("NOICON", "BITMAP が指定されていません。\r\n")},
      {"missing bitmap", Source("[ASTERISK]\r\nBITMAP=none.bmp\r\n"),
       KindFailure("ASTERISK", SystemMessage(2))},
      {"no BM", Source("[EXCLAMATION]\r\nBITMAP=bad.bmp\r\n"),
       KindFailure("EXCLAMATION", SystemMessage(87))},
      {"empty bitmap", Source("", "empty.bmp"), KindFailure("NOICON", SystemMessage(1006))},
      {"folder as bitmap", Source("", "folder.bmp"), KindFailure("NOICON", SystemMessage(5))},
      {"frames error", Source("[STOP]\r\nFRAMES1=0\r\n"),
       KindFailure("STOP", "frames1 2文字目付近:文法エラーです。\r\n")},
      {"frame past the strip", Source("FRAMEHEIGHT=30\r\nFRAMES1=3;\r\n"),
       KindFailure("NOICON", "frames1 1文字目付近:フレーム番号が最大値を超えています。\r\n")},
      {"FRAMEHEIGHT 101 of 100", Source("[QUESTION]\r\nFRAMEHEIGHT=101\r\n"),
       KindFailure("QUESTION", kFrameHeightMessage)},
      {"negative FRAMEHEIGHT", Source("FRAMEHEIGHT=-1\r\n"),
       KindFailure("NOICON", kFrameHeightMessage)},
      {"height 0, FRAMEHEIGHT 0", Source("", "flat.bmp"),
       KindFailure("NOICON", "ビットマップの高さが 0 です。\r\n")},
      {"height 0, FRAMEHEIGHT 1", Source("FRAMEHEIGHT=1\r\n", "flat.bmp"),
       KindFailure("NOICON", kFrameHeightMessage)},
  };
  const std::vector<std::string> before = {"bad.bmp",    "empty.bmp", "flat.bmp",
                                           "folder.bmp", "src.zts",   "strip.bmp"};
  for (const auto& c : cases) {
    EXPECT_EQ(CompileSource(c.source), c.expected) << c.what;
    EXPECT_EQ(folder_.Entries(), before) << c.what;
  }
  EXPECT_EQ(Compile("missing.zts"), "Win32Error 2");
}

TEST_F(CompileSourceTest, RefusesAnOutputThatIsAnInput) {
  MakeFolder("sub");
  WriteFile("other.bmp", MakeBitmap(10, 10, 24));
  std::filesystem::create_hard_link("other.bmp", "link.bmp");
  const std::string absoluteSource = folder_.PathOf("src.zts");
  const std::string outputs[] = {"src.zts",      "./src.zts", "sub/../src.zts", "sub\\..\\src.zts",
                                 absoluteSource, "strip.bmp", "other.bmp",      "link.bmp"};
  for (const std::string& output : outputs) {
    const std::string source = "[basis]\r\nversion=11\r\noutput=" + output +
                               "\r\nBITMAP=strip.bmp\r\n[STOP]\r\nBITMAP=other.bmp\r\n";
    EXPECT_EQ(CompileSource(source), kSameFileMessage) << output;
    EXPECT_EQ(ReadFile("src.zts"), source);
  }
  EXPECT_EQ(ReadFile("strip.bmp"), MakeBitmap(10, 100, 24));
  EXPECT_EQ(ReadFile("other.bmp"), MakeBitmap(10, 10, 24));
  // A file this source does not read is no input.
  EXPECT_EQ(CompileSource("[basis]\r\nversion=11\r\noutput=other.bmp\r\nBITMAP=strip.bmp\r\n"), "");
}

TEST_F(CompileSourceTest, ReportsOutputFailuresWithTheSystemCode) {
  WriteFile("readonly.ztr", "keep");
  SetReadOnly("readonly.ztr", true);
  WriteFile("held.ztr", "keep");
  const ExclusiveHold hold("held.ztr");
  const struct {
    const char* output;
    const char* expected;
  } cases[] = {
      {"missing/out.ztr", "Win32Error 3"},
      {"readonly.ztr", "Win32Error 5"},
      {"held.ztr", "Win32Error 32"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CompileSource("[basis]\r\nversion=11\r\nBITMAP=strip.bmp\r\noutput=" +
                            std::string(c.output) + "\r\n"),
              c.expected)
        << c.output;
  }
  EXPECT_EQ(ReadFile("readonly.ztr"), "keep");
  EXPECT_EQ(folder_.Entries(),
            (std::vector<std::string>{"held.ztr", "readonly.ztr", "src.zts", "strip.bmp"}));
}

TEST_F(CompileSourceTest, SettlesFrameHeightAndFrameCount) {
  const struct {
    int32_t height;
    const char* frameHeight;
    const char* lastFrame;  // compiles; one more does not
    int32_t recorded;
  } cases[] = {
      {48, "0", "0", 48},
      {100, "30", "2", 30},
      {-96, "32", "2", 32},      // top-down rows count the same
      {65537, "1", "65535", 1},  // more than 65535 frames: nothing wraps
  };
  for (const auto& c : cases) {
    WriteFile("strip.bmp", MakeBitmap(1, c.height, 1));
    const std::string settings = std::string("FRAMEHEIGHT=") + c.frameHeight + "\r\n";
    ASSERT_EQ(CompileSource(Source(settings + "FRAMES1=" + c.lastFrame + ";\r\n")), "") << c.height;
    const std::string file = ReadFile("out.ztr");
    for (int k = 0; k < 5; ++k) {
      EXPECT_EQ(static_cast<int32_t>(Get32(file, KindFieldOffset(k, KindField::FrameHeight))),
                c.recorded)
          << c.height;
    }
    if (c.recorded != 1) {
      const std::string next = std::to_string(std::stoi(c.lastFrame) + 1);
      EXPECT_EQ(
          CompileSource(Source(settings + "FRAMES1=" + next + ";\r\n")),
          KindFailure("NOICON", "frames1 1文字目付近:フレーム番号が最大値を超えています。\r\n"))
          << c.height;
    }
  }
}

TEST_F(CompileSourceTest, CopiesBitmapsOfEveryDepthInEitherRowOrder) {
  for (uint16_t bits : {1, 4, 8, 24, 32}) {
    for (int32_t height : {24, -24}) {
      const std::string bitmap = MakeBitmap(7, height, bits);
      WriteFile("strip.bmp", bitmap);
      ASSERT_EQ(CompileSource(Source("FRAMEHEIGHT=8\r\nFRAMES1=2;\r\n")), "") << bits << height;
      const std::string file = ReadFile("out.ztr");
      const uint32_t offBits = Get32(bitmap, 10);
      // Info block, pixel block and frame height of the first record.
      const uint32_t info = Get32(file, KindFieldOffset(0, KindField::BitmapInfo));
      const uint32_t pixels = Get32(file, KindFieldOffset(0, KindField::BitmapBits));
      EXPECT_EQ(file.substr(info, offBits - 14), bitmap.substr(14, offBits - 14));
      EXPECT_EQ(pixels, info + offBits - 14);
      EXPECT_EQ(file.substr(pixels, bitmap.size() - offBits), bitmap.substr(offBits));
      EXPECT_EQ(Get32(file, KindFieldOffset(0, KindField::FrameHeight)), 8u);
    }
  }
}

TEST_F(CompileSourceTest, OpensPathsRelativeToTheCurrentFolder) {
  MakeFolder("sub");
  MakeFolder("bmp");
  MakeFolder("\x95\x5C");  // 表: its trail byte is a backslash
  WriteFile("bmp/a.bmp", MakeBitmap(2, 2, 24));
  WriteFile("\x95\x5C/b.bmp", MakeBitmap(3, 3, 24));
  WriteFile("sub/src.zts", Source("[ASTERISK]\r\nBITMAP=bmp\\a.bmp\r\n"
                                  "[STOP]\r\nBITMAP=\x95\x5C\\b.bmp\r\n"
                                  "[QUESTION]\r\nBITMAP=bmp/a.bmp\r\n"));
  ASSERT_EQ(Compile("sub/src.zts"), "");
  const std::string file = ReadFile("out.ztr");
  const uint32_t info = Get32(file, KindFieldOffset(3, KindField::BitmapInfo));
  EXPECT_EQ(file.substr(info, 40), MakeBitmap(3, 3, 24).substr(14, 40));
  // "bmp\a.bmp" and "bmp/a.bmp" are two spellings: two copies.
  EXPECT_NE(Get32(file, KindFieldOffset(1, KindField::BitmapInfo)),
            Get32(file, KindFieldOffset(4, KindField::BitmapInfo)));
  EXPECT_FALSE(FileExists("sub/out.ztr"));
}

TEST_F(CompileSourceTest, ReplacesThePreviousOutputWhole) {
  WriteFile("out.ztr", std::string(5000, 'x'));
  ASSERT_EQ(CompileSource(Source("")), "");
  const std::string file = ReadFile("out.ztr");
  EXPECT_EQ(file.size(), Get32(file, kFileSizeOffset));
  EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"out.ztr", "src.zts", "strip.bmp"}));
}

#ifndef _WIN32
// The disk fills up while the file is written: a child process whose file
// size limit is below the compiled file's size.
TEST_F(CompileSourceTest, KeepsThePreviousOutputWhenWritingFails) {
  const std::string previous = "previous output";
  WriteFile("out.ztr", previous);
  WriteFile("src.zts", Source(""));
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit = {2000, 2000};
    setrlimit(RLIMIT_FSIZE, &limit);
    try {
      CompileSourceFile("src.zts");
    } catch (const Win32Error& error) {
      _exit(static_cast<int>(error.code));
    } catch (...) {
      _exit(1);
    }
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 112);  // disk full
  EXPECT_EQ(ReadFile("out.ztr"), previous);
  EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"out.ztr", "src.zts", "strip.bmp"}));
}
#endif

TEST(KindErrorMessageTest, TakesTextsAsTextsAndCutsOnCharacterBoundaries) {
  EXPECT_EQ(KindErrorMessage("STOP", "100%s %d\r\n"), KindFailure("STOP", "100%s %d\r\n"));
  // A text that reaches byte 1023 with the lead byte of a character.
  const std::string head = KindFailure("STOP", "");
  const std::string fill(1022 - head.size(), 'a');
  EXPECT_EQ(KindErrorMessage("STOP", fill + "表表"), head + fill);
  EXPECT_EQ(KindErrorMessage("STOP", fill + "a表"), head + fill + "a");
}

}  // namespace
}  // namespace zet
