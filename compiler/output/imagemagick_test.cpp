// Bitmaps written by ImageMagick's convert (made in the build tree): their
// blocks reach the compiled file as they stand.
#include <gtest/gtest.h>

#include <string>

#include "compiler/output/compile_source.h"
#include "compiler/output/compiled_file.h"
#include "compiler/output/test_files.h"
#include "platform/system_message.h"

namespace zet {
namespace {

std::string ToolBitmap(const char* name) {
  return ReadFile(std::string(ZET_IMAGEMAGICK_DIR) + "/" + name);
}

uint32_t PixelBlockSize(const std::string& bitmap) {
  const uint16_t bits = static_cast<uint8_t>(bitmap[28]);
  const int32_t width = static_cast<int32_t>(Get32(bitmap, 18));
  const int32_t height = static_cast<int32_t>(Get32(bitmap, 22));
  return (bits * width + 31) / 32 * 4 * static_cast<uint32_t>(height < 0 ? -height : height);
}

// convert writes rows bottom-up only: the same picture stored top-down.
std::string TopDown(const std::string& bitmap) {
  const int32_t height = static_cast<int32_t>(Get32(bitmap, 22));
  const uint32_t offBits = Get32(bitmap, 10);
  const uint32_t row = PixelBlockSize(bitmap) / static_cast<uint32_t>(height);
  std::string flipped = bitmap;
  Put32(flipped, 22, static_cast<uint32_t>(-height));
  for (int32_t y = 0; y < height; ++y) {
    flipped.replace(offBits + y * row, row, bitmap.substr(offBits + (height - 1 - y) * row, row));
  }
  return flipped;
}

TEST(ImageMagickTest, CopiesTheBlocksOfEveryBitDepthInEitherRowOrder) {
  const struct {
    const char* name;
    uint16_t bitCount;
  } kinds[] = {{"m1.bmp", 1}, {"m4.bmp", 4}, {"m8.bmp", 8}, {"m24.bmp", 24}, {"m32.bmp", 32}};
  const char* sections[] = {"NOICON", "ASTERISK", "EXCLAMATION", "STOP", "QUESTION"};
  for (bool topDown : {false, true}) {
    TestFolder folder;
    CurrentFolderScope scope(folder.Path());
    std::string source = "[basis]\r\nversion=11\r\noutput=out.ztr\r\n";
    for (int k = 0; k < 5; ++k) {
      const std::string bitmap = ToolBitmap(kinds[k].name);
      ASSERT_EQ(static_cast<uint8_t>(bitmap[28]), kinds[k].bitCount) << kinds[k].name;
      WriteFile(kinds[k].name, topDown ? TopDown(bitmap) : bitmap);
      source += std::string("[") + sections[k] + "]\r\nBITMAP=" + kinds[k].name + "\r\n";
    }
    WriteFile("src.zts", source);
    CompileSourceFile("src.zts");

    const std::string file = ReadFile("out.ztr");
    for (int k = 0; k < 5; ++k) {
      const std::string bitmap = ReadFile(kinds[k].name);
      const uint32_t biSize = Get32(bitmap, 14);
      const uint32_t colors = Get32(bitmap, 46) != 0   ? Get32(bitmap, 46)
                              : kinds[k].bitCount <= 8 ? 1u << kinds[k].bitCount
                                                       : 0;
      const int32_t height = static_cast<int32_t>(Get32(bitmap, 22));
      const uint32_t info = Get32(file, KindFieldOffset(k, KindField::BitmapInfo));
      const uint32_t pixels = Get32(file, KindFieldOffset(k, KindField::BitmapBits));
      EXPECT_EQ(file.substr(info, biSize + 4 * colors), bitmap.substr(14, biSize + 4 * colors))
          << kinds[k].name;
      EXPECT_EQ(file.substr(pixels, PixelBlockSize(bitmap)),
                bitmap.substr(Get32(bitmap, 10), PixelBlockSize(bitmap)))
          << kinds[k].name;
      EXPECT_EQ(static_cast<int32_t>(Get32(file, KindFieldOffset(k, KindField::FrameHeight))),
                height < 0 ? -height : height)
          << kinds[k].name;
    }
  }
  EXPECT_EQ(Get32(ToolBitmap("m32.bmp"), 14), 124u);  // a BITMAPV5HEADER
}

TEST(ImageMagickTest, RefusesARunLengthBitmapShorterThanItsPixels) {
  TestFolder folder;
  CurrentFolderScope scope(folder.Path());
  const std::string bitmap = ToolBitmap("m8rle.bmp");
  ASSERT_EQ(Get32(bitmap, 30), 1u);  // BI_RLE8
  WriteFile("rle.bmp", bitmap);
  WriteFile("src.zts", "[basis]\r\nversion=11\r\noutput=out.ztr\r\nBITMAP=rle.bmp\r\n");
  try {
    CompileSourceFile("src.zts");
    FAIL() << "compiled";
  } catch (const std::string& message) {
    EXPECT_EQ(message, "[NOICON]の処理中にエラーが発生しました。\r\n" + SystemMessage(87));
  }
  EXPECT_FALSE(FileExists("out.ztr"));
}

}  // namespace
}  // namespace zet
