// The lint on real sources and bitmaps in a temporary folder: each source
// with every diagnostic it must give, placed in the file, as gcc's lines.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "compiler/output/compile_kind.h"
#include "compiler/output/compile_source.h"
#include "compiler/output/mapped_bitmap.h"
#include "compiler/output/test_files.h"
#include "lint/bitmap_reason.h"
#include "lint/dependencies.h"
#include "lint/lint_platform.h"
#include "lint/report.h"
#include "lint/source_lint.h"
#include "platform/console.h"
#include "platform/system_message.h"
#include "platform/win32_error.h"
#include "tests/support/test_folder.h"

namespace zetlint {
namespace {

using zet::MakeBitmap;
using zet::Put16;
using zet::Put32;

// Four frames of 10 rows, every one shown: a source that gives nothing.
// Its lines 1 to 6; a case's own lines start at 7.
std::string Basis(const std::string& rest) {
  return "[basis]\r\nversion=11\r\noutput=out.ztr\r\nBITMAP=a.bmp\r\nFRAMEHEIGHT=10\r\n"
         "FRAMES1=for 0 to 3;\r\n" +
         rest;
}

std::string System(uint32_t code) {
  std::string text = zet::SystemMessage(code);
  return text.substr(0, text.find('\r'));
}

// An 8-bit strip whose pixels are RLE8: shorter than its rows would be.
std::string RleBitmap() {
  std::string bytes = MakeBitmap(16, 40, 8);
  Put32(bytes, 30, 1);
  bytes.resize(bytes.size() - 200);
  Put32(bytes, 2, static_cast<uint32_t>(bytes.size()));
  return bytes;
}

struct LintCase {
  const char* name;
  std::string source;
  std::vector<std::string> expected;  // gcc's lines after "src.zts:"
};

const std::string kAllKinds = "NOICON,ASTERISK,EXCLAMATION,STOP,QUESTION";
const std::string kSaveAgain =
    "圧縮なしで、Windows 形式のヘッダ (BITMAPINFOHEADER) で保存し直してください。";

// An ASCII source as a UTF-16LE file, which the profile rules read too.
std::string Utf16(const std::string& ascii) {
  std::string bytes = "\xFF\xFE";
  for (const char c : ascii) {
    bytes += c;
    bytes += '\0';
  }
  return bytes;
}

std::vector<LintCase> Cases() {
  return {
      {"clean", Basis(""), {}},
      {"typo_key",
       Basis("FRAMEHIEGHT=20\r\n"),
       {"7:1: warning: [basis] キー FRAMEHIEGHT はどこからも読まれません (FRAMEHEIGHT "
        "のことですか?)。 [-Wunknown-key]"}},
      {"typo_key_at_reach",  // two edits short of BITMAP, as far as a hint reaches
       Basis("BITM=a.bmp\r\n"),
       {"7:1: warning: [basis] キー BITM はどこからも読まれません (BITMAP "
        "のことですか?)。 [-Wunknown-key]"}},
      {"unknown_section",
       Basis("[QUESTON]\r\nFRAMES1=0;\r\n"),
       {"7:2: warning: セクション [QUESTON] はどこからも読まれません ([QUESTION] "
        "のことですか?)。 [-Wunknown-section]"}},
      {"frames_gap",
       Basis("[STOP]\r\nFRAMES1=for 0 to 3;\r\nFRAMES3=0;\r\n"),
       {"9:1: warning: [STOP] FRAMES2 がないので、FRAMES3 は読まれません。 [-Wframes-gap]"}},
      {"frames_gap_empty",
       Basis("[STOP]\r\nFRAMES1=for 0 to 3;\r\nFRAMES2=\r\nFRAMES3=0;\r\n"),
       {"9:9: warning: [STOP] FRAMES2 の値が空です。空の値は指定がないのと同じに読まれます。 "
        "[-Wempty-value]",
        "10:1: warning: [STOP] FRAMES2 が空なので、FRAMES3 は読まれません。 [-Wframes-gap]"}},
      {"duplicate_section",
       Basis("[STOP]\r\nFRAMES1=for 0 to 3;\r\n[stop]\r\nFRAMES1=goto x;\r\n"),
       {"9:2: warning: セクション [stop] は 7 行目にもあります。最初のものだけが読まれ、"
        "このセクションは読まれません。 [-Wduplicate]"}},
      {"duplicate_key",
       Basis("[STOP]\r\nFRAMES1=for 0 to 3;\r\n frames1 = 0;\r\n"),
       {"9:2: warning: [STOP] キー frames1 は 8 行目にもあります。最初のものだけが読まれます。 "
        "[-Wduplicate]"}},
      {"empty_values",
       Basis("[STOP]\r\nSUFFIX=\r\nMESSAGE=\"\"\r\n"),
       {"8:8: warning: [STOP] SUFFIX の値が空です。空の値は指定がないのと同じに読まれます。 "
        "[-Wempty-value]",
        "9:10: warning: [STOP] MESSAGE の値が空です。空の値は指定がないのと同じに読まれます。 "
        "[-Wempty-value]"}},
      {"no_section",
       "k=v\r\n" + Basis(""),
       {"1:1: warning: 最初のセクションより前の行は、どこからも読まれません。 [-Wno-section]"}},
      {"utf8_bom",
       "\xEF\xBB\xBF" + Basis(""),
       {" error: [basis]中の version が指定されていないか、対応できない値です。",
        " error: [BASIS]中に OUTPUT が指定されていません。",
        " error: [" + kAllKinds + "] BITMAP が指定されていません。",
        "1:1: warning: 行頭に UTF-8 の BOM があるため、この行はセクションの見出しになりません。"
        "BOM なしで保存してください。 [-Wno-section]"}},
      {"utf16",
       Utf16(Basis("FRAMEHIEGHT=1\r\n")),
       {"7:1: warning: [basis] キー FRAMEHIEGHT はどこからも読まれません (FRAMEHEIGHT "
        "のことですか?)。 [-Wunknown-key]"}},
      {"line_ends",  // CR, LF and CR LF each end a line; empty lines count
       "[basis]\nversion=11\r\routput=out.ztr\r\n\nBITMAP=a.bmp\rFRAMEHEIGHT=10\n"
       "FRAMES1=for 0 to 3;\r\nFRAMEHIEGHT=1\n",
       {"9:1: warning: [basis] キー FRAMEHIEGHT はどこからも読まれません (FRAMEHEIGHT "
        "のことですか?)。 [-Wunknown-key]"}},
      {"partial_frame",
       Basis("[STOP]\r\nBITMAP=b45.bmp\r\n"),
       {"5:13: warning: [STOP] ビットマップの高さ 45 は FRAMEHEIGHT 10 で割り切れず、下の 5 "
        "行はどのフレームにも入りません。 [-Wpartial-frame]"}},
      {"unreachable",
       Basis("[STOP]\r\nFRAMES1=a: for 0 to 3; goto a; 1; 2;\r\nFRAMES2=b: 3; goto b;\r\n"),
       {"8:32: warning: [STOP] この文にはどこからも到達しません。 [-Wunreachable]"}},
      {"unused_label",
       Basis("[STOP]\r\nFRAMES1=x: for 0 to 3;\r\n"),
       {"8:9: warning: [STOP] ラベル x へジャンプする文がありません。 [-Wunused-label]"}},
      {"frameless_loop",
       Basis("[STOP]\r\nFRAMES1=for 0 to 3; a: goto a;\r\n"),
       {"8:24: error: [STOP] フレームを表示しないループから抜け出せないので、"
        "再生がここで止まります。 [-Wframeless-loop]"}},
      {"frameless_loop_random",
       Basis("[STOP]\r\nFRAMES1=for 0 to 3; a: prob 1 of 2 goto a;\r\n"),
       {"8:24: warning: [STOP] フレームを表示しないループで、抜け出せるのは確率分岐だけです。 "
        "[-Wframeless-loop]"}},
      {"frameless_loop_two",
       Basis("[STOP]\r\nFRAMES1=for 0 to 3; a: prob 1 of 2 goto b; goto a; b: goto a;\r\n"),
       {"8:24: error: [STOP] フレームを表示しないループから抜け出せないので、"
        "再生がここで止まります。 [-Wframeless-loop]"}},
      {"loop_through_frame",
       Basis("[STOP]\r\nFRAMES1=a: prob 1 of 2 goto a; for 0 to 3; goto a;\r\n"),
       {"8:12: warning: [STOP] フレームを表示しないループで、抜け出せるのは確率分岐だけです。 "
        "[-Wframeless-loop]"}},
      {"unused_frames",
       Basis("[STOP]\r\nFRAMES1=0; 2;\r\n"),
       {"8:9: warning: [STOP] フレーム 1, 3 はどの文も表示しません。 [-Wunused-frame]"}},
      {"inherited_error",
       Basis("FRAMES2=0 1;\r\n[STOP]\r\nFRAMES1=for 0 to 3;\r\n"),
       {"7:11: error: [NOICON,ASTERISK,EXCLAMATION,QUESTION] frames2 "
        "3文字目付近:文法エラーです。"}},
      {"shift_jis",
       Basis("[STOP]\r\nMESSAGE=表示\r\nFRAMES1=for 0 to 3; ソ;\r\n[ゾ]\r\n"),
       {"9:21: error: [STOP] frames1 13文字目付近:文法エラーです。",
        "10:2: warning: セクション [ゾ] はどこからも読まれません。 [-Wunknown-section]"}},
      {"quoted_and_blanks",
       Basis("[STOP]\r\nFRAMES1=\"for 0 to 3; 9;\"\r\n[QUESTION]\r\n  FRAMES1 =   0 x;\r\n"),
       {"8:22: error: [STOP] frames1 13文字目付近:フレーム番号が最大値を超えています。",
        "10:17: error: [QUESTION] frames1 3文字目付近:文法エラーです。"}},
      {"header_line_rest", Basis("[STOP]FRAMES1=goto a;\r\n;FRAMES1=goto a;\r\n"), {}},
      {"missing_bitmap",
       Basis("[STOP]\r\nBITMAP=none.bmp\r\n"),
       {"8:8: error: [STOP] " + System(zet::kErrorFileNotFound)}},
      {"compressed_bitmap",
       Basis("[STOP]\r\nBITMAP=rle.bmp\r\n"),
       {"8:8: error: [STOP] " + System(zet::kErrorInvalidParameter),
        "8:8: note: [STOP] 画素が圧縮されています (RLE8)。" + kSaveAgain}},
      {"frame_height",
       Basis("[STOP]\r\nFRAMEHEIGHT=50\r\n"),
       {"8:13: error: [STOP] FRAMEHEIGHTがビットマップの高さを超えています。"}},
      {"version",
       "[basis]\r\nversion=10\r\noutput=out.ztr\r\nBITMAP=a.bmp\r\nFRAMES1=for 0 to 0;\r\n",
       {"2:9: error: [basis]中の version が指定されていないか、対応できない値です。"}},
      {"output_over_source",
       "[basis]\r\nversion=11\r\noutput=.\\src.zts\r\nBITMAP=a.bmp\r\nFRAMES1=for 0 to 0;\r\n",
       {"3:8: error: OUTPUT が入力ファイルと同じです。"}},
      {"nothing",
       "",
       {" error: [basis]中の version が指定されていないか、対応できない値です。",
        " error: [BASIS]中に OUTPUT が指定されていません。",
        " error: [" + kAllKinds + "] BITMAP が指定されていません。"}},
  };
}

class LintTest : public ::testing::Test {
 protected:
  LintTest() : scope_(folder_.Path()) {
    zet::WriteFile("a.bmp", MakeBitmap(4, 40, 24));
    zet::WriteFile("b45.bmp", MakeBitmap(4, 45, 24));
    zet::WriteFile("rle.bmp", RleBitmap());
  }

  static std::vector<std::string> Lint(const std::string& source) {
    zet::WriteFile("src.zts", source);
    LintOptions options;
    std::vector<std::string> lines;
    const std::string text = GccReport({LintSource("src.zts")}, options);
    for (size_t begin = 0; begin < text.size();) {
      const size_t end = text.find('\n', begin);
      lines.push_back(text.substr(begin + 8, end - begin - 8));  // after "src.zts:"
      begin = end + 1;
    }
    return lines;
  }

  zet::TestFolder folder_;
  zet::CurrentFolderScope scope_;
};

TEST_F(LintTest, GivesExactlyTheDiagnosticsOfEachSource) {
  for (const LintCase& c : Cases()) {
    std::vector<std::string> expected;
    for (const std::string& line : c.expected) {
      expected.push_back(zet::ConsoleText(line));
    }
    EXPECT_EQ(Lint(c.source), expected) << c.name;
  }
}

struct BitmapCase {
  const char* name;
  std::string bytes;
  std::string reason;
};

std::string Changed(std::string bytes, size_t offset, uint32_t value, size_t keep = 0) {
  Put32(bytes, offset, value);
  if (keep != 0) {
    bytes.resize(keep);
    Put32(bytes, 2, static_cast<uint32_t>(keep));
  }
  return bytes;
}

// An OS/2 bitmap: a 12-byte core header, whose fields lie where Windows
// headers have others.
std::string Os2Bitmap() {
  std::string bytes(14 + 12 + 16 * 16 * 3, '\x55');
  bytes.replace(0, 2, "BM");
  Put32(bytes, 2, static_cast<uint32_t>(bytes.size()));
  Put32(bytes, 10, 26);
  Put32(bytes, 14, 12);
  Put16(bytes, 18, 16);
  Put16(bytes, 20, 16);
  Put16(bytes, 22, 1);
  Put16(bytes, 24, 24);
  return bytes;
}

std::vector<BitmapCase> BitmapCases() {
  const std::string good = MakeBitmap(16, 40, 24);
  const size_t half = good.size() / 2;
  return {
      {"too_short", good.substr(0, 50), "ファイルが 50 バイトしかなく、BMP のヘッダが入りません。"},
      {"not_bmp", "\x89PNG" + good.substr(4),
       "ファイルの先頭が \"BM\" ではなく、BMP ファイルではありません。"},
      {"file_size", Changed(good, 2, static_cast<uint32_t>(good.size() + 1)),
       "ヘッダのファイル サイズ (bfSize) " + std::to_string(good.size() + 1) + " が実際の大きさ " +
           std::to_string(good.size()) + " バイトを超えています。"},
      {"planes",
       [&] {
         std::string bytes = good;
         Put16(bytes, 26, 2);
         return bytes;
       }(),
       "プレーン数 (biPlanes) が 1 ではなく 2 です。"},
      {"os2", Os2Bitmap(), "OS/2 形式のヘッダ (BITMAPCOREHEADER) のビットマップです。"},
      {"header_size", Changed(good, 14, 20),
       "情報ヘッダの大きさ (biSize) 20 が 40 バイトに足りません。"},
      // Bit fields whose third mask the file no longer holds.
      {"masks", Changed(good, 30, 3, 62),
       "ビットフィールドの色のマスクがファイルの終わりを越えています。"},
      {"color_table", Changed(good, 46, 100000), "色テーブルがファイルの終わりを越えています。"},
      {"rle4", Changed(good, 30, 2, half), "画素が圧縮されています (RLE4)。"},
      {"jpeg", Changed(good, 30, 4, half), "画素が圧縮されています (JPEG)。"},
      {"png", Changed(good, 30, 5, half), "画素が圧縮されています (PNG)。"},
      {"rows_past_end", Changed(good, 30, 0, half), "画素の行がファイルの終わりを越えています。"},
  };
}

TEST_F(LintTest, SaysWhyTheCompilerRefusesABitmap) {
  for (const BitmapCase& c : BitmapCases()) {
    zet::WriteFile("x.bmp", c.bytes);
    uint32_t code = 0;
    try {
      zet::MappedBitmap bitmap("x.bmp");
    } catch (const zet::Win32Error& error) {
      code = error.code;
    }
    EXPECT_EQ(code, zet::kErrorInvalidParameter) << c.name;
    EXPECT_EQ(ExplainRefusedBitmap("x.bmp"), c.reason + kSaveAgain) << c.name;
  }
}

// What the compiler logs for each kind named in an error's tag.
std::vector<std::string> CompilerTexts(const Diagnostic& error) {
  if (error.tag.empty()) {
    return {error.text + "\r\n"};
  }
  std::vector<std::string> texts;
  for (size_t begin = 0; begin <= error.tag.size();) {
    const size_t end = std::min(error.tag.find(',', begin), error.tag.size());
    texts.push_back(
        zet::KindErrorMessage(error.tag.substr(begin, end - begin).c_str(), error.text + "\r\n"));
    begin = end + 1;
  }
  return texts;
}

// Every source the suites compile: the lint finds an error exactly when the
// compiler fails, and one of its errors is the compiler's message.
TEST_F(LintTest, ErrsWhereTheCompilerFailsOnTheSuitesSources) {
  namespace fs = std::filesystem;
  const fs::path root = ZET_SOURCE_DIR;
  for (const fs::path& folder : {root / "examples", root / "tests/crossbuild/data"}) {
    fs::copy(folder, ".", fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    fs::create_directories("out");
    for (const auto& entry : fs::directory_iterator(folder)) {
      if (entry.path().extension() != ".zts") {
        continue;
      }
      const std::string name = entry.path().filename().string();
      std::string failure;
      try {
        zet::CompileSourceFile(name.c_str());
      } catch (const std::string& message) {
        failure = message;
      }
      std::vector<std::string> texts;
      for (const Diagnostic& d : LintSource(name.c_str()).diagnostics) {
        if (d.severity == Severity::Error) {
          const std::vector<std::string> more = CompilerTexts(d);
          texts.insert(texts.end(), more.begin(), more.end());
        }
      }
      if (failure.empty()) {
        EXPECT_EQ(texts, std::vector<std::string>()) << name;
      } else {
        EXPECT_NE(std::find(texts.begin(), texts.end(), failure), texts.end()) << name;
      }
    }
  }
}

// make reads these back as the paths they were; a backslash before a blank
// (a trail byte of "ソ" on Linux) is doubled, as gcc does.
TEST(MakeEscapedTest, EscapesWhatMakeWouldRead) {
  const std::pair<std::string, std::string> cases[] = {
      {"plain/a.bmp", "plain/a.bmp"}, {"my dir/a b.bmp", "my\\ dir/a\\ b.bmp"},
      {"a#b$c.bmp", "a\\#b$$c.bmp"},  {"\x83\\ x.bmp", "\x83\\\\\\ x.bmp"},
      {"tab\there", "tab\\\there"},
  };
  for (const auto& [path, escaped] : cases) {
    EXPECT_EQ(MakeEscaped(path), escaped) << path;
  }
  const std::vector<std::string> broken = {"a.bmp", "a\nb.bmp", ""};
  EXPECT_EQ(PathNoDepfileHolds(broken), &broken[1]);
  EXPECT_EQ(PathNoDepfileHolds({"a.bmp", "b c.bmp"}), nullptr);
}

}  // namespace
}  // namespace zetlint
