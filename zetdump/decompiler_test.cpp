#include "zetdump/decompiler.h"

#include <gtest/gtest.h>

#include <functional>

#include "reader/compiled_file.h"
#include "reader/layout.h"
#include "reader/test_content.h"
#include "zetdump/source_text.h"

namespace zetdump {

using zetreader::AppendStatement;
using zetreader::BitmapContent;
using zetreader::FileBytes;
using zetreader::FileContent;
using zetreader::FrameOp;
using zetreader::GetU32;
using zetreader::LayOutCompiledFile;
using zetreader::PutU32;
using zetreader::RichFile;
using zetreader::WorkedLayout;

namespace {

TEST(DecompilerTest, WritesOneStatementPerInstructionAndEverySettingExplicitly) {
  const FileContent content = RichFile();
  const DecompiledFiles files = Decompile(FileBytes(LayOutCompiledFile(content)), "rich");
  EXPECT_EQ(files.sourceName, "rich.zts");
  EXPECT_EQ(files.source,
            "; zetdump で復元したソース\r\n"
            "[basis]\r\n"
            "version=11\r\n"
            "output=rich.ztr\r\n"
            "comment=見本のコメント\r\n"
            "username=見本 太郎\r\n"
            "\r\n"
            "[BUTTONS]\r\n"
            "OK=了解\r\n"
            "CANCEL=\" やめる \"\r\n"
            "HELP=\"\"ヘルプ\"\"\r\n"
            "\r\n"
            "[NOICON]\r\n"
            "BITMAP=noicon.bmp\r\n"
            "FRAMEHEIGHT=20\r\n"
            "FRAMETIME=100\r\n"
            "SUFFIX=（お知らせ）\r\n"
            "MESSAGE=処理を続けます。\r\n"
            "FRAMES1=0; L3: 1; repeat 2 for 3; prob 1 of 4 goto L3; for 0 to 2; goto L3;\r\n"
            "\r\n"
            "[ASTERISK]\r\n"
            "BITMAP=noicon.bmp\r\n"
            "FRAMEHEIGHT=60\r\n"
            "FRAMETIME=-5\r\n"
            "MESSAGE=\"'引用'\"\r\n"
            "FRAMES1=goto L3; L3: 0; prob 1 of 2 goto L13; L13: to;\r\n"
            "\r\n"
            "[EXCLAMATION]\r\n"
            "BITMAP=exclamation.bmp\r\n"
            "FRAMEHEIGHT=10\r\n"
            "FRAMETIME=0\r\n"
            "FRAMES1=to;\r\n"
            "\r\n"
            "[STOP]\r\n"
            "BITMAP=stop.bmp\r\n"
            "FRAMEHEIGHT=5\r\n"
            "FRAMETIME=2147483647\r\n"
            "SUFFIX=\"\t\"\r\n"
            "FRAMES1=repeat 3 for 65535; for 3 to 0;\r\n"
            "\r\n"
            "[QUESTION]\r\n"
            "BITMAP=exclamation.bmp\r\n"
            "FRAMEHEIGHT=20\r\n"
            "FRAMETIME=-2147483648\r\n"
            "SUFFIX=？\r\n"
            "FRAMES1=0;\r\n");

  ASSERT_EQ(files.bitmaps.size(), 3u);
  const char* const names[] = {"noicon.bmp", "exclamation.bmp", "stop.bmp"};
  for (size_t i = 0; i < files.bitmaps.size(); ++i) {
    const auto& [name, bmp] = files.bitmaps[i];
    const BitmapContent& bitmap = content.bitmaps[i];
    EXPECT_EQ(name, names[i]);
    const uint32_t bitsAt = static_cast<uint32_t>(14 + bitmap.info.size());
    ASSERT_EQ(bmp.size(), bitsAt + bitmap.pixels.size()) << name;
    EXPECT_EQ(std::string(bmp.begin(), bmp.begin() + 2), "BM");
    EXPECT_EQ(GetU32(bmp, 2), bmp.size());
    EXPECT_EQ(GetU32(bmp, 10), bitsAt);
    EXPECT_EQ(std::vector<uint8_t>(bmp.begin() + 14, bmp.begin() + bitsAt), bitmap.info);
    EXPECT_EQ(std::vector<uint8_t>(bmp.begin() + bitsAt, bmp.end()), bitmap.pixels);
  }
}

TEST(DecompilerTest, LongProgramsSpreadOverSeveralFramesKeys) {
  FileContent content = WorkedLayout();
  std::vector<uint8_t>& code = content.kinds[2].code;
  code.clear();
  for (int i = 0; i < 16384 / 7; ++i) {
    AppendStatement(code, {FrameOp::Prob, {1, 1, 0}});
  }
  const std::string source = Decompile(FileBytes(LayOutCompiledFile(content)), "x").source;
  const size_t first = source.find("\r\nFRAMES1=L0: prob 1 of 1 goto L0; prob ");
  const size_t second = source.find("\r\nFRAMES2=prob 1 of 1 goto L0; prob ");
  ASSERT_NE(first, std::string::npos);
  ASSERT_NE(second, std::string::npos);
  EXPECT_LE(second - first, 2 + 8 + kLongestValue);
  EXPECT_EQ(source.find("\r\nFRAMES3="), std::string::npos);
}

TEST(DecompilerTest, StemIsThePlainAsciiFileName) {
  const struct {
    const char* path;
    const char* stem;
  } cases[] = {
      {"demo.ztr", "demo"},
      {"dir/sub/demo.ztr", "demo"},
      {"C:\\dir\\a-b_c.ztr", "a-b_c"},
      {"noext", "noext"},
      {".ztr", "decompiled"},
      {"a b.ztr", "decompiled"},
      {"\x8C\xA9.ztr", "decompiled"},
      {"dir/", "decompiled"},
      {"dir/..", "decompiled"},
      {"-x.ztr", "decompiled"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SourceStem(c.path), c.stem) << c.path;
  }
}

using ContentChange = std::function<void(FileContent&)>;
using ByteChange = std::function<void(std::vector<uint8_t>&)>;

// Files that pass every check but that no source gives.
TEST(DecompilerTest, RefusesFilesNoSourceProduces) {
  const std::u16string tooLong(16384, u'\u3042');  // 32768 bytes in Shift-JIS
  std::vector<uint8_t> manyJumps;
  for (int i = 0; i < 257; ++i) {
    AppendStatement(manyJumps, {FrameOp::Goto, {static_cast<uint16_t>(3 * i)}});
  }
  const struct {
    ContentChange content;
    ByteChange bytes;
    uint32_t offset;
    const char* text;
  } cases[] = {
      {[](FileContent& c) { c.comment = u"caf\u00E9"; }, nullptr, 220,
       "コメントに Shift-JIS で書けない文字があります: \"caf\\u00E9\""},
      {[](FileContent& c) { c.kinds[1].message = u"a\nb"; }, nullptr, 917,
       "ASTERISK のメッセージは改行を含むか 32766 バイトより長く、ソースの 1 行に書けません。"},
      {[&](FileContent& c) { c.captions[9] = tooLong; }, nullptr, 234,
       "ボタン HELP の見出しは改行を含むか 32766 バイトより長く、ソースの 1 行に書けません。"},
      {[](FileContent& c) { c.bitmaps[0].info[12] = 2; }, nullptr, 249,
       "NOICON のビットマップの biPlanes が 2 で、コンパイラーは 1 以外を受け付けません。"},
      {[&](FileContent& c) { c.kinds[0].code = manyJumps; }, nullptr, 76,
       "NOICON のコードの飛び先が 256 か所を超え、ラベルが足りません。"},
      {nullptr, [](auto& b) { PutU32(b, 16, 226); }, 226,
       "ユーザー名は空の文字列ですが、コンパイラーは空の文字列を書きません。"},
      {nullptr, [](auto& b) { PutU32(b, 16, 220); }, 16,
       "ユーザー名の位置は 220 ですが、コンパイラーはこの内容のファイルに 228 を書きます。"},
      {nullptr,
       [](auto& b) {
         b.push_back(0);
         PutU32(b, 8, static_cast<uint32_t>(b.size()));
       },
       8, "ファイルサイズは 930 ですが、コンパイラーはこの内容のファイルに 929 を書きます。"},
      // ASTERISK with NOICON's info block but a pixel block of its own.
      {nullptr,
       [](auto& b) {
         b.insert(b.end(), b.begin() + 277, b.begin() + 917);
         PutU32(b, 96, 929);
         PutU32(b, 8, static_cast<uint32_t>(b.size()));
       },
       92,
       "ASTERISK のビットマップ情報の位置は 237 ですが、コンパイラーはこの内容のファイルに 920 "
       "を書きます。"},
  };
  for (const auto& c : cases) {
    FileContent content = WorkedLayout();
    if (c.content) {
      c.content(content);
    }
    std::vector<uint8_t> bytes = LayOutCompiledFile(content);
    if (c.bytes) {
      c.bytes(bytes);
    }
    try {
      Decompile(FileBytes(bytes), "x");
      ADD_FAILURE() << "decompiled: " << c.text;
    } catch (const NoSourceFault& fault) {
      EXPECT_EQ(fault.offset, c.offset) << c.text;
      EXPECT_EQ(fault.text, c.text);
    }
  }
}

TEST(DecompilerTest, ExactlyTheLimitsOfASourceStillDecompile) {
  FileContent content = WorkedLayout();
  content.captions[9] = std::u16string(16383, u'\u3042');  // 32766 bytes
  std::vector<uint8_t>& code = content.kinds[0].code;
  code.clear();
  for (int i = 0; i < 256; ++i) {
    AppendStatement(code, {FrameOp::Goto, {static_cast<uint16_t>(3 * i)}});
  }
  EXPECT_NO_THROW(Decompile(FileBytes(LayOutCompiledFile(content)), "x"));
}

}  // namespace
}  // namespace zetdump
