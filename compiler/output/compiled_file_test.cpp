#include "compiler/output/compiled_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "compiler/output/test_files.h"

namespace zet {
namespace {

// Kind records written after a 220-byte placeholder, read back.
class KindRecordsTest : public ::testing::Test {
 protected:
  KindRecordsTest() : kinds_(std::make_unique<KindSettingsArray>()) {}

  void SetKind(int index, const std::string& bitmap, const std::string& code) {
    MessageKindSettings& kind = (*kinds_)[index];
    kind.bitmapPath = bitmap;
    kind.frameHeight = 10 + index;
    kind.frameTime = -index;
    kind.code.Append(code.data(), static_cast<uint32_t>(code.size()));
  }

  std::string WriteAll() {
    const std::string path = folder_.PathOf("out.ztr");
    {
      CurrentFolderScope scope(folder_.Path());
      OutputFile file(path.c_str());
      file.Write(std::string(kHeaderSize, '\0').data(), kHeaderSize);
      for (int i = 0; i < kMessageKindCount; ++i) {
        WriteKindRecord(file, header_, *kinds_, i);
      }
      file.Commit();
    }
    return ReadFile(path);
  }

  TestFolder folder_;
  std::unique_ptr<KindSettingsArray> kinds_;
  CompiledFileHeader header_;
};

TEST_F(KindRecordsTest, SharesBitmapsWhosePathsAreEqualByteForByte) {
  const std::string a = MakeBitmap(3, 4, 24);  // 40 + 48 bytes of blocks
  const std::string b = MakeBitmap(5, 2, 8);   // 40 + 1024 + 16
  WriteFile(folder_.PathOf("a.bmp"), a);
  WriteFile(folder_.PathOf("b.bmp"), b);
  SetKind(0, "a.bmp", "\x01");  // odd: every later offset is odd
  SetKind(1, "b.bmp", "");
  SetKind(2, "a.bmp", std::string("\0\0\0", 3));
  SetKind(3, "./a.bmp", "\x05\x06");  // another spelling is another copy
  SetKind(4, "b.bmp", "");
  const std::string file = WriteAll();

  const struct {
    uint32_t code, codeLength, info, bits;
  } expected[] = {
      {220, 1, 221, 261},    {309, 0, 309, 349 + 1024}, {1389, 3, 221, 261},
      {1392, 2, 1394, 1434}, {1482, 0, 309, 1373},
  };
  ASSERT_EQ(file.size(), 1482u);
  for (int i = 0; i < kMessageKindCount; ++i) {
    const KindRecord& record = header_.kinds[i];
    EXPECT_EQ(record.code, expected[i].code) << i;
    EXPECT_EQ(record.codeLength, expected[i].codeLength) << i;
    EXPECT_EQ(record.bitmapInfo, expected[i].info) << i;
    EXPECT_EQ(record.bitmapBits, expected[i].bits) << i;
    EXPECT_EQ(record.frameHeight, 10 + i);
    EXPECT_EQ(record.frameTime, -i);
    EXPECT_EQ(record.suffix, 0u);
    EXPECT_EQ(record.message, 0u);
  }
  // The blocks are the file's bytes as they stand.
  EXPECT_EQ(file.substr(221, 40), a.substr(14, 40));
  EXPECT_EQ(file.substr(261, 48), a.substr(54, 48));
  EXPECT_EQ(file.substr(309, 1064), b.substr(14, 1064));
  EXPECT_EQ(file.substr(1373, 16), b.substr(1078, 16));
}

// The masks after a 40-byte header are part of the info block, copied as
// the header is: a reader finds them through the header alone.
TEST_F(KindRecordsTest, CopiesBitFieldMasksWithTheInfoHeader) {
  const std::string a = WithMasks(MakeBitmap(3, 4, 16), 3, {0xF800, 0x07E0, 0x001F});
  WriteFile(folder_.PathOf("a.bmp"), a);
  for (int i = 0; i < kMessageKindCount; ++i) {
    SetKind(i, "a.bmp", "");
  }
  const std::string file = WriteAll();
  EXPECT_EQ(header_.kinds[0].bitmapInfo, 220u);
  EXPECT_EQ(header_.kinds[0].bitmapBits, 220u + 52);
  EXPECT_EQ(file.substr(220), a.substr(14));
}

TEST_F(KindRecordsTest, WritesSuffixAndMessageBeforeTheCode) {
  WriteFile(folder_.PathOf("a.bmp"), MakeBitmap(1, 1, 24));
  for (int i = 0; i < kMessageKindCount; ++i) {
    SetKind(i, "a.bmp", std::string("\0\0\0", 3));
  }
  (*kinds_)[1].suffix = "S";
  (*kinds_)[1].message = "\x95\x5C";  // 表
  const std::string file = WriteAll();
  const KindRecord& record = header_.kinds[1];
  EXPECT_EQ(record.suffix, 220u + 3 + 40 + 4);
  EXPECT_EQ(file.substr(record.suffix, 4), WideBlock("S"));
  EXPECT_EQ(record.message, record.suffix + 4);
  EXPECT_EQ(file.substr(record.message, 4), std::string("\x68\x88\0\0", 4));
  EXPECT_EQ(record.code, record.message + 4);
}

TEST(CompiledFileHeaderTest, LaysOutEveryFieldLittleEndian) {
  CompiledFileHeader header;
  header.fileSize = 0x01020304;
  header.comment = 12;
  header.userName = 16;
  for (int i = 0; i < kButtonCount; ++i) {
    header.buttons[i] = 100 + i;
  }
  for (int k = 0; k < kMessageKindCount; ++k) {
    header.kinds[k] = {1000u + k, 2000u + k, -1 - k, 40 + k, 3000u + k, 7u, 4000u + k, 5000u + k};
  }
  const auto array = header.ToBytes();
  const std::string bytes(array.begin(), array.end());
  EXPECT_EQ(bytes.substr(kMagicOffset, 12), std::string("ZTRV\x0B\0\0\0\x04\x03\x02\x01", 12));

  // Every other named field with what was put in it.
  std::vector<std::pair<uint32_t, uint32_t>> fields = {{kCommentOffset, 12}, {kUserNameOffset, 16}};
  for (int i = 0; i < kButtonCount; ++i) {
    fields.push_back({ButtonOffset(i), 100u + i});
  }
  for (int k = 0; k < kMessageKindCount; ++k) {
    const std::pair<KindField, uint32_t> record[] = {
        {KindField::BitmapInfo, 1000u + k},
        {KindField::BitmapBits, 2000u + k},
        {KindField::FrameHeight, static_cast<uint32_t>(-1 - k)},
        {KindField::FrameTime, 40u + k},
        {KindField::Code, 3000u + k},
        {KindField::CodeLength, 7u},
        {KindField::Suffix, 4000u + k},
        {KindField::Message, 5000u + k},
    };
    for (const auto& [field, value] : record) {
      fields.push_back({KindFieldOffset(k, field), value});
    }
  }
  std::vector<uint32_t> named = {kMagicOffset, kVersionOffset, kFileSizeOffset};
  for (const auto& [at, value] : fields) {
    EXPECT_EQ(Get32(bytes, at), value) << at;
    named.push_back(at);
  }
  // The names cover the header once: no two fields share bytes, none is left out.
  std::sort(named.begin(), named.end());
  ASSERT_EQ(named.size(), kHeaderSize / 4);
  for (size_t i = 0; i < named.size(); ++i) {
    EXPECT_EQ(named[i], 4 * i);
  }
}

}  // namespace
}  // namespace zet
