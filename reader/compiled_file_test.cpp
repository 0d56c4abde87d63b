#include "reader/compiled_file.h"

#include <gtest/gtest.h>

#include <functional>

#include "reader/layout.h"
#include "reader/test_content.h"

namespace zetreader {
namespace {

TEST(CompiledFileTest, WorkedLayoutPutsEveryBlockWhereTheFormatSays) {
  const std::vector<uint8_t> bytes = LayOutCompiledFile(WorkedLayout());
  ASSERT_EQ(bytes.size(), 929u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "ZTRV");
  EXPECT_EQ(GetU32(bytes, 4), 11u);
  EXPECT_EQ(GetU32(bytes, 8), 929u);
  EXPECT_EQ(GetU32(bytes, 12), 220u);
  EXPECT_EQ(GetU32(bytes, 16), 0u);
  EXPECT_EQ(GetU32(bytes, 20), 228u);
  for (uint32_t caption = 1; caption < 10; ++caption) {
    EXPECT_EQ(GetU32(bytes, 20 + 4 * caption), 0u);
  }
  const uint32_t codes[] = {234, 917, 920, 923, 926};
  for (int kind = 0; kind < kKindCount; ++kind) {
    const KindFields fields = KindFieldsOf(kind);
    EXPECT_EQ(GetU32(bytes, fields.bitmapInfo), 237u);
    EXPECT_EQ(GetU32(bytes, fields.bitmapBits), 277u);
    EXPECT_EQ(GetU32(bytes, fields.code), codes[kind]);
    EXPECT_EQ(GetU32(bytes, fields.codeLength), 3u);
    EXPECT_EQ(GetU32(bytes, fields.suffix), 0u);
    EXPECT_EQ(GetU32(bytes, fields.message), 0u);
  }

  const CompiledFile file = ReadCompiledFile(FileBytes(bytes));
  EXPECT_EQ(file.comment.text, u"abc");
  EXPECT_EQ(file.captions[0].text, u"OK");
  EXPECT_EQ(file.userName.offset, 0u);
  for (int kind = 0; kind < kKindCount; ++kind) {
    const KindRecord& record = file.kinds[kind];
    EXPECT_EQ(record.sharesWith, kind == 0 ? -1 : 0);
    EXPECT_EQ(record.bitmap.infoLength, 40u);
    EXPECT_EQ(record.bitmap.pixelLength, 640u);
    EXPECT_EQ(record.frameCount, 1u);
    ASSERT_EQ(record.code.size(), 1u);
    EXPECT_EQ(record.code[0].op, FrameOp::Frame);
  }
}

std::vector<uint8_t> Bytes(ByteSpan span) {
  return std::vector<uint8_t>(span.data, span.data + span.size);
}

// The parts a player draws from: the info header, the masks after a 40-byte
// header with bit fields, the colour table after them and the pixel rows,
// each exactly where and as long as the header says.
TEST(CompiledFileTest, BitmapPartsFollowBiSizeCompressionBitCountAndClrUsed) {
  const struct {
    uint32_t biSize;
    uint16_t bits;
    uint32_t compression, clrUsed;
    int32_t height;
    uint32_t masks, colours, pixelLength;
  } cases[] = {
      {40, 24, 0, 0, 20, 0, 0, 640},  {40, 24, 0, 0, -20, 0, 0, 640},
      {40, 8, 0, 0, 20, 0, 256, 240}, {40, 8, 0, 20, 20, 0, 20, 240},
      {40, 4, 0, 0, 20, 0, 16, 160},  {40, 1, 0, 0, 20, 0, 2, 80},
      {40, 24, 0, 3, 20, 0, 3, 640},  {40, 32, 0, 0, 20, 0, 0, 800},
      {124, 8, 0, 3, -20, 0, 3, 240}, {124, 24, 0, 0, 20, 0, 0, 640},
      {40, 16, 3, 0, 20, 12, 0, 400}, {40, 32, 3, 3, -20, 12, 3, 800},
      {40, 32, 6, 0, 20, 16, 0, 800}, {56, 32, 6, 0, 20, 0, 0, 800},
      {124, 16, 3, 0, 20, 0, 0, 400},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << c.biSize << " " << c.bits << " " << c.compression << " " << c.clrUsed);
    FileContent content = WorkedLayout();
    BitmapContent& bitmap = content.bitmaps[0];
    bitmap = MakeBitmap(10, c.height, c.bits, c.clrUsed);
    bitmap.info.insert(bitmap.info.begin() + 40, c.biSize - 40 + c.masks, 0xEE);
    PutU32(bitmap.info, 0, c.biSize);
    PutU32(bitmap.info, 16, c.compression);
    const FileBytes bytes(LayOutCompiledFile(content));
    const CompiledFile file = ReadCompiledFile(bytes);
    const BitmapBlocks& blocks = file.kinds[4].bitmap;
    EXPECT_EQ(blocks.maskLength, c.masks);
    EXPECT_EQ(blocks.colours, c.colours);
    EXPECT_EQ(blocks.infoLength, c.biSize + c.masks + 4 * c.colours);
    EXPECT_EQ(blocks.pixelLength, c.pixelLength);
    EXPECT_EQ(blocks.rows, 20u);

    const auto masksStart = bitmap.info.begin() + c.biSize;
    const auto tableStart = masksStart + c.masks;
    EXPECT_EQ(Bytes(InfoHeader(bytes, blocks)),
              std::vector<uint8_t>(bitmap.info.begin(), masksStart));
    EXPECT_EQ(Bytes(Masks(bytes, blocks)), std::vector<uint8_t>(masksStart, tableStart));
    EXPECT_EQ(Bytes(ColourTable(bytes, blocks)),
              std::vector<uint8_t>(tableStart, bitmap.info.end()));
    EXPECT_EQ(Bytes(Pixels(bytes, blocks)), bitmap.pixels);
  }
}

// DamageBase(): comment 220, caption OK 228, NOICON code 234 (26 bytes),
// info 260, pixels 300 (1920 bytes), codes of the other kinds at 2220,
// 2223, 2226, 2229; 2232 bytes.
using Damage = std::function<void(std::vector<uint8_t>&)>;

Damage Set32(uint32_t at, uint32_t value) {
  return [=](std::vector<uint8_t>& b) { PutU32(b, at, value); };
}
Damage Set8(uint32_t at, uint8_t value) {
  return [=](std::vector<uint8_t>& b) { b.at(at) = value; };
}
Damage Set16(uint32_t at, uint16_t value) {
  return [=](std::vector<uint8_t>& b) {
    b.at(at) = static_cast<uint8_t>(value);
    b.at(at + 1) = static_cast<uint8_t>(value >> 8);
  };
}

TEST(CompiledFileTest, CheckNamesTheOffsetAndTheFaultOfEachDamage) {
  const struct {
    Damage damage;
    uint32_t offset;
    const char* text;
  } cases[] = {
      {Set8(3, 'X'), 0, "先頭の 4 バイトが \"ZTRV\" ではありません。"},
      {[](auto& b) { b.resize(219); }, 219,
       "ファイルの長さ 219 がヘッダーの 220 バイトに足りません。"},
      {[](auto& b) { b.resize(3); }, 3, "ファイルの長さ 3 がヘッダーの 220 バイトに足りません。"},
      {Set32(4, 12), 4, "バージョン 12 は 11 ではありません。"},
      {Set32(8, 2233), 8, "ヘッダーのファイルサイズ 2233 がファイルの長さ 2232 と違います。"},
      {[](auto& b) { b.push_back(0); }, 8,
       "ヘッダーのファイルサイズ 2232 がファイルの長さ 2233 と違います。"},
      {Set32(12, 219), 12, "コメントの位置 219 がヘッダーの中を指しています。"},
      {Set32(20, 2233), 20,
       "ボタン OK の見出しの位置 2233 がファイルの外 (長さ 2232) を指しています。"},
      {Set32(56, 2231), 2231,
       "ボタン HELP の見出しの文字列が終端の 0 より前にファイルの終わりに達しています。"},
      {Set32(180, 100), 180, "STOP のサフィックスの位置 100 がヘッダーの中を指しています。"},
      {Set32(80, 16385), 80, "NOICON のコードの長さ 16385 が 16384 を超えています。"},
      {Set32(208, 4), 208,
       "QUESTION のコード (位置 2229、4 バイト) がファイルの終わりを越えています。"},
      {Set32(76, 0), 76, "NOICON のコードの位置 0 がヘッダーの中を指しています。"},
      {Set32(92, 2200), 2200,
       "ASTERISK のビットマップ情報ヘッダー (40 バイト) がファイルの終わりで切れています。"},
      {Set32(96, 2232 + 1), 96,
       "ASTERISK のピクセルブロックの位置 2233 がファイルの外 (長さ 2232) を指しています。"},
      {Set32(260, 12), 260,
       "NOICON のビットマップ情報ヘッダーの大きさ (biSize) 12 が 40 未満です。"},
      {Set32(292, 0x40000000), 260,
       "NOICON のビットマップ情報と色テーブル (4294967336 バイト) "
       "がファイルの終わりを越えています。"},
      // A bit-field bitmap of an earlier compiler: its pixels where the masks belong.
      {Set32(276, 3), 276,
       "NOICON のビットマップ: BI_BITFIELDS のマスクがファイルにありません (マスクを残さない以前の "
       "zetcomp で作られたファイルです)。ソースをコンパイルし直してください。"},
      {Set32(276, 6), 276,
       "NOICON のビットマップ: BI_ALPHABITFIELDS のマスクがファイルにありません (マスクを残さない"
       "以前の zetcomp で作られたファイルです)。ソースをコンパイルし直してください。"},
      {Set32(268, 61), 300,
       "NOICON のピクセルブロック (1952 バイト) がファイルの終わりを越えています。"},
      {Set32(264, static_cast<uint32_t>(-100)), 264,
       "NOICON のビットマップの幅 -100 ではピクセルブロックの大きさが負になります。"},
      {Set32(264, 0x7FFFFFFF), 264,
       "NOICON のビットマップの幅 2147483647、高さ 60、24 ビットではピクセルブロックの大きさが 32 "
       "ビットに収まりません。"},
      {[](auto& b) {
         Set32(264, 0x7FFFFFFF)(b);
         Set32(268, 0x7FFFFFFF)(b);
       },
       264,
       "NOICON のビットマップの幅 2147483647、高さ 2147483647、24 ビットではピクセルブロックの"
       "大きさが 32 ビットに収まりません。"},
      {Set32(268, 0x80000000), 264,
       "NOICON のビットマップの幅 10、高さ -2147483648、24 ビットではピクセルブロックの大きさが 32 "
       "ビットに収まりません。"},
      {Set32(68, 0), 68, "NOICON のフレームの高さ 0 がビットマップの高さ 60 に収まりません。"},
      {Set32(68, 61), 68, "NOICON のフレームの高さ 61 がビットマップの高さ 60 に収まりません。"},
      {Set32(68, static_cast<uint32_t>(-1)), 68,
       "NOICON のフレームの高さ -1 がビットマップの高さ 60 に収まりません。"},
      {Set8(234, 5), 234, "NOICON のコードの +0: 不明な命令コード 5 です。"},
      {Set32(80, 25), 257,
       "NOICON のコードの +23: 命令 (3 バイト) がコードの終わり (+25) で切れています。"},
      {Set16(238, 3), 238, "NOICON のコードの +3: フレーム番号 3 がフレーム数 3 以上です。"},
      {Set16(241, 3), 241, "NOICON のコードの +6: フレーム番号 3 がフレーム数 3 以上です。"},
      {Set16(243, 0), 243, "NOICON のコードの +6: 繰り返し数が 0 です。"},
      {Set16(253, 65535), 253,
       "NOICON のコードの +18: フレーム番号 65535 がフレーム数 3 以上です。"},
      {Set16(255, 3), 255, "NOICON のコードの +18: フレーム番号 3 がフレーム数 3 以上です。"},
      {Set16(246, 0), 246,
       "NOICON のコードの +11: 確率 0/4 が 1 <= P <= Q <= 255 を満たしません。"},
      {Set16(246, 5), 246,
       "NOICON のコードの +11: 確率 5/4 が 1 <= P <= Q <= 255 を満たしません。"},
      {Set16(248, 256), 246,
       "NOICON のコードの +11: 確率 1/256 が 1 <= P <= Q <= 255 を満たしません。"},
      {Set16(258, 4), 258, "NOICON のコードの +23: 飛び先 +4 が命令の途中を指しています。"},
      {Set16(250, 27), 250,
       "NOICON のコードの +11: 飛び先 +27 がコードの終わり (+26) を越えています。"},
      {Set8(2220, 0xFF), 2220, "ASTERISK のコードの +0: 不明な命令コード 255 です。"},
  };
  const std::vector<uint8_t> wellFormed = LayOutCompiledFile(DamageBase());
  ASSERT_EQ(wellFormed.size(), 2232u);
  ASSERT_FALSE(CheckCompiledFile(FileBytes(wellFormed)));
  for (const auto& c : cases) {
    std::vector<uint8_t> damaged = wellFormed;
    c.damage(damaged);
    const std::optional<FileFault> fault = CheckCompiledFile(FileBytes(damaged));
    ASSERT_TRUE(fault) << c.text;
    EXPECT_EQ(fault->offset, c.offset) << c.text;
    EXPECT_EQ(fault->text, c.text);
  }
}

}  // namespace
}  // namespace zetreader
