// Strips the player refuses, each with the field at fault, and the bit
// fields and colour tables that only a real file's header can give (the
// formats themselves are checked end to end against Pillow).
#include <gtest/gtest.h>

#include <string>

#include "player/picture.h"
#include "reader/compiled_file.h"
#include "reader/test_content.h"

namespace zetplay {
namespace {

using zetreader::BitmapContent;
using zetreader::FileBytes;
using zetreader::FileContent;
using zetreader::PutU32;

// A file whose five kinds show `bitmap` as one frame.
FileBytes FileOf(const BitmapContent& bitmap, int32_t rows) {
  FileContent content = zetreader::WorkedLayout();
  content.bitmaps[0] = bitmap;
  for (auto& kind : content.kinds) {
    kind.frameHeight = rows;
  }
  return FileBytes(zetreader::LayOutCompiledFile(content));
}

Picture Decode(const FileBytes& bytes) {
  const zetreader::CompiledFile file = zetreader::ReadCompiledFile(bytes);
  return DecodePicture(bytes, file.kinds[0].bitmap, "NOICON");
}

BitmapContent WithCompression(BitmapContent bitmap, uint32_t compression) {
  PutU32(bitmap.info, 16, compression);
  return bitmap;
}

// BI_BITFIELDS with its three masks after the 40-byte header.
BitmapContent WithMasks(BitmapContent bitmap) {
  bitmap.info.insert(bitmap.info.begin() + 40, 12, 0xFF);
  return WithCompression(bitmap, 3);
}

// A header of 44 bytes holds no masks, and none follow it.
BitmapContent FieldsWithoutMasks() {
  BitmapContent bitmap = WithCompression(zetreader::MakeBitmap(4, 2, 16), 3);
  bitmap.info.resize(44, 0);
  PutU32(bitmap.info, 0, 44);
  return bitmap;
}

TEST(DecodePicture, RefusesWhatItCannotShow) {
  const struct {
    const char* name;
    BitmapContent bitmap;
    uint32_t field;     // offset in the info header
    const char* words;  // in the message
  } cases[] = {
      {"RLE8", WithCompression(zetreader::MakeBitmap(4, 2, 8), 1), 16, "RLE8"},
      {"RLE4", WithCompression(zetreader::MakeBitmap(4, 2, 4), 2), 16, "RLE4"},
      {"JPEG", WithCompression(zetreader::MakeBitmap(4, 2, 24), 4), 16, "JPEG"},
      {"PNG", WithCompression(zetreader::MakeBitmap(4, 2, 24), 5), 16, "PNG"},
      {"unknown compression", WithCompression(zetreader::MakeBitmap(4, 2, 24), 11), 16, "11"},
      {"bit fields on 24 bits", WithMasks(zetreader::MakeBitmap(4, 2, 24)), 14, "24"},
      {"bit fields in a 44-byte header", FieldsWithoutMasks(), 16, "BI_"},
      {"2 bits", zetreader::MakeBitmap(4, 2, 2), 14, "2"},
      {"width 0", zetreader::MakeBitmap(0, 2, 24), 4, "0"},
      {"more than 16M pixels", zetreader::MakeBitmap(4097, 4096, 1), 4, "4097"},
  };
  for (const auto& c : cases) {
    const FileBytes bytes = FileOf(c.bitmap, 2);
    const uint32_t info = zetreader::ReadCompiledFile(bytes).kinds[0].bitmap.infoOffset;
    try {
      Decode(bytes);
      ADD_FAILURE() << c.name << " decoded";
    } catch (const zetreader::FileFault& fault) {
      EXPECT_EQ(fault.offset, info + c.field) << c.name;
      EXPECT_NE(fault.text.find(c.words), std::string::npos) << c.name << ": " << fault.text;
      EXPECT_EQ(fault.text.rfind("NOICON", 0), 0u) << c.name;
    }
  }
}

// Pixels 0x001F, 0x03E0, 0x7C00 and 0x0001 of a 16-bit row under masks
// that put red in the low bits: in a large header, or after a 40-byte one
// (four of them for BI_ALPHABITFIELDS), before the colour table.
BitmapContent SwappedFields(uint32_t headerSize, uint32_t clrUsed, uint32_t compression) {
  BitmapContent bitmap = zetreader::MakeBitmap(4, 1, 16, clrUsed);
  const uint32_t masks = headerSize > 40 ? 0 : compression == 6 ? 16 : 12;
  bitmap.info.resize(headerSize + masks + 4 * clrUsed, 0xEE);
  PutU32(bitmap.info, 0, headerSize);
  PutU32(bitmap.info, 16, compression);
  PutU32(bitmap.info, 40, 0x001F);
  PutU32(bitmap.info, 44, 0x03E0);
  PutU32(bitmap.info, 48, 0x7C00);
  bitmap.pixels = {0x1F, 0x00, 0xE0, 0x03, 0x00, 0x7C, 0x01, 0x00};
  return bitmap;
}

TEST(DecodePicture, ReadsMasksFromTheHeaderOrAfterIt) {
  const std::vector<uint8_t> expected = {255, 0, 0, 0, 255, 0, 0, 0, 255, 8, 0, 0};
  const struct {
    uint32_t headerSize, clrUsed, compression;
  } cases[] = {{40, 0, 3}, {40, 3, 3}, {40, 0, 6}, {108, 0, 3}, {124, 0, 6}};
  for (const auto& c : cases) {
    const Picture picture =
        Decode(FileOf(SwappedFields(c.headerSize, c.clrUsed, c.compression), 1));
    EXPECT_EQ(picture.rgb, expected) << c.headerSize << " " << c.clrUsed << " " << c.compression;
  }
}

TEST(DecodePicture, ShowsIndexesPastTheTableAsBlack) {
  BitmapContent bitmap = zetreader::MakeBitmap(2, 1, 1, 1);  // one entry: 0, 3, 6
  bitmap.pixels = {0x40, 0, 0, 0};                           // indexes 0, 1
  const Picture picture = Decode(FileOf(bitmap, 1));
  EXPECT_EQ(picture.rgb, (std::vector<uint8_t>{6, 3, 0, 0, 0, 0}));
  EXPECT_EQ(picture.palette, (std::vector<uint32_t>{0x060300}));
}

}  // namespace
}  // namespace zetplay
