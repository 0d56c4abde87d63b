#include "compiler/output/mapped_bitmap.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "compiler/output/test_files.h"
#include "compiler/output/test_platform.h"
#include "platform/win32_error.h"

namespace zet {
namespace {

uint32_t OpenError(const std::string& path) {
  try {
    MappedBitmap bitmap(path.c_str());
  } catch (const Win32Error& error) {
    return error.code;
  }
  return 0;
}

// A 24-bit 10 x 20 bitmap changed by `edit`.
std::string Edited(const std::function<void(std::string&)>& edit) {
  std::string bytes = MakeBitmap(10, 20, 24);
  edit(bytes);
  return bytes;
}

TEST(MappedBitmapTest, RefusesFilesThatFailTheChecks) {
  const struct {
    const char* what;
    std::string bytes;
    uint32_t expected;  // 0: opens
  } cases[] = {
      {"53 bytes starting with BM", MakeBitmap(1, 1, 1).substr(0, 53), 87},
      {"not BM", Edited([](std::string& b) { b[1] = 'A'; }), 87},
      {"bfSize = file size", MakeBitmap(10, 20, 24), 0},
      {"bfSize smaller", Edited([](std::string& b) { Put32(b, 2, 100); }), 0},
      {"bfSize 0", Edited([](std::string& b) { Put32(b, 2, 0); }), 0},
      {"bfSize one too big", Edited([](std::string& b) { Put32(b, 2, 695); }), 87},
      {"biPlanes 0", Edited([](std::string& b) { Put16(b, 26, 0); }), 87},
      {"biPlanes 2", Edited([](std::string& b) { Put16(b, 26, 2); }), 87},
      // The blocks the writer copies must lie inside the file.
      {"colour table past the end", Edited([](std::string& b) { Put32(b, 46, 161); }), 87},
      {"colour table up to the end", Edited([](std::string& b) { Put32(b, 46, 160); }), 0},
      {"info header past the end", Edited([](std::string& b) { Put32(b, 14, 700); }), 87},
      {"biSize so large that the sum wraps",
       Edited([](std::string& b) { Put32(b, 14, 0xFFFFFFF0); }), 87},
      {"one pixel row too many", Edited([](std::string& b) { Put32(b, 22, 21); }), 87},
      {"pixels start one byte late", Edited([](std::string& b) { Put32(b, 10, 55); }), 87},
      {"pixels start past the end", Edited([](std::string& b) { Put32(b, 10, 0x80000000); }), 87},
      {"biHeight -2^31", Edited([](std::string& b) { Put32(b, 22, 0x80000000); }), 87},
      {"negative width", Edited([](std::string& b) { Put32(b, 18, 0xFFFFFF00); }), 87},
      {"row size past 2^31", Edited([](std::string& b) { Put32(b, 18, 0x7FFFFFFF); }), 87},
      {"width 0: no pixels", Edited([](std::string& b) { Put32(b, 18, 0); }), 0},
      {"top-down", MakeBitmap(10, -20, 24), 0},
      {"biSize 124 and room for it", Edited([](std::string& b) { Put32(b, 14, 124); }), 0},
      // A header shorter than BITMAPINFOHEADER would be read into the pixels.
      {"biSize 39", Edited([](std::string& b) { Put32(b, 14, 39); }), 87},
      {"biSize 12, an OS/2 core header", Edited([](std::string& b) { Put32(b, 14, 12); }), 87},
      {"biSize 0", Edited([](std::string& b) { Put32(b, 14, 0); }), 87},
  };
  TestFolder folder;
  for (const auto& c : cases) {
    const std::string path = folder.PathOf("case.bmp");
    WriteFile(path, c.bytes);
    EXPECT_EQ(OpenError(path), c.expected) << c.what;
  }
}

TEST(MappedBitmapTest, RefusesACompressedBitmapShorterThanItsPixelBlock) {
  std::string bytes = MakeBitmap(16, 16, 8);
  Put32(bytes, 30, 1);  // BI_RLE8
  bytes.resize(bytes.size() - 100);
  Put32(bytes, 2, static_cast<uint32_t>(bytes.size()));
  TestFolder folder;
  WriteFile(folder.PathOf("rle.bmp"), bytes);
  EXPECT_EQ(OpenError(folder.PathOf("rle.bmp")), 87u);
}

TEST(MappedBitmapTest, CountsColoursAndLocatesTheBlocks) {
  const struct {
    int32_t width, height;
    uint16_t bitCount;
    uint32_t colorsUsed;
    uint32_t colors, height_, pixelBlock;
  } cases[] = {
      {10, 20, 8, 0, 256, 20, 12 * 20}, {10, 20, 4, 0, 16, 20, 8 * 20},
      {10, 20, 1, 0, 2, 20, 4 * 20},    {10, 20, 8, 20, 20, 20, 12 * 20},
      {10, 20, 24, 0, 0, 20, 32 * 20},  {10, 20, 24, 3, 3, 20, 32 * 20},
      {10, 96, 32, 0, 0, 96, 40 * 96},  {10, -96, 32, 0, 0, 96, 40 * 96},
  };
  TestFolder folder;
  const std::string path = folder.PathOf("b.bmp");
  for (const auto& c : cases) {
    const std::string bytes = MakeBitmap(c.width, c.height, c.bitCount, c.colorsUsed);
    WriteFile(path, bytes);
    const MappedBitmap bitmap(path.c_str());
    const uint8_t* base = bitmap.Header() - 14;
    EXPECT_EQ(bitmap.ColorCount(), c.colors) << c.bitCount << " " << c.colorsUsed;
    EXPECT_EQ(bitmap.ColorTable(), c.colors == 0 ? nullptr : base + 54);
    EXPECT_EQ(bitmap.Height(), c.height_);
    EXPECT_EQ(bitmap.InfoBlockSize(), 40 + 4 * c.colors);
    EXPECT_EQ(bitmap.Bits(), base + 54 + 4 * c.colors);
    EXPECT_EQ(bitmap.PixelBlockSize(), c.pixelBlock);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(base), bytes.size()), bytes);
  }
}

// After a 40-byte header, bit-field masks belong to the info block: without
// them nothing says how the pixels are coloured. Larger headers hold them.
TEST(MappedBitmapTest, KeepsTheMasksOfBitFieldBitmapsInTheInfoBlock) {
  const std::vector<uint32_t> rgb = {0xF800, 0x07E0, 0x001F};
  const std::vector<uint32_t> rgba = {0xFF, 0xFF00, 0xFF0000, 0xFF000000};
  std::string v5 = MakeBitmap(10, 20, 32);
  v5.insert(54, 84, '\0');
  Put32(v5, 10, 54 + 84);
  Put32(v5, 14, 124);
  Put32(v5, 30, 3);
  const struct {
    const char* what;
    std::string bytes;
    uint32_t expected;  // 0: opens
    uint32_t infoBlock, colourTable;
  } cases[] = {
      {"16 bits, BI_BITFIELDS", WithMasks(MakeBitmap(10, 20, 16), 3, rgb), 0, 52, 0},
      {"32 bits, BI_BITFIELDS", WithMasks(MakeBitmap(10, -20, 32), 3, rgb), 0, 52, 0},
      {"32 bits, BI_ALPHABITFIELDS", WithMasks(MakeBitmap(10, 20, 32), 6, rgba), 0, 56, 0},
      {"masks, then biClrUsed 3 entries", WithMasks(MakeBitmap(10, 20, 16, 3), 3, rgb), 0, 64, 66},
      {"a 124-byte header holds its masks", v5, 0, 124, 0},
      {"BI_RGB: no masks", MakeBitmap(10, 20, 32), 0, 40, 0},
      // No pixels: the masks are the last bytes of the file.
      {"all three masks", WithMasks(MakeBitmap(0, 1, 16), 3, rgb), 0, 52, 0},
      {"two of three masks", WithMasks(MakeBitmap(0, 1, 16), 3, {0xF800, 0x07E0}), 87, 0, 0},
      {"three of four masks", WithMasks(MakeBitmap(0, 1, 32), 6, rgb), 87, 0, 0},
  };
  TestFolder folder;
  const std::string path = folder.PathOf("fields.bmp");
  for (const auto& c : cases) {
    WriteFile(path, c.bytes);
    ASSERT_EQ(OpenError(path), c.expected) << c.what;
    if (c.expected == 0) {
      const MappedBitmap bitmap(path.c_str());
      const uint8_t* base = bitmap.Header() - 14;
      EXPECT_EQ(bitmap.InfoBlockSize(), c.infoBlock) << c.what;
      EXPECT_EQ(bitmap.ColorTable(), c.colourTable == 0 ? nullptr : base + c.colourTable) << c.what;
      EXPECT_EQ(bitmap.Bits(), base + Get32(c.bytes, 10)) << c.what;
    }
  }
}

TEST(MappedBitmapTest, ReportsTheSystemsCodeWhenTheFileCannotBeMapped) {
  TestFolder folder;
  WriteFile(folder.PathOf("empty.bmp"), "");
  MakeFolder(folder.PathOf("folder.bmp"));
  WriteFile(folder.PathOf("held.bmp"), MakeBitmap(4, 4, 24));
  const ExclusiveHold hold(folder.PathOf("held.bmp"));
  const struct {
    std::string path;
    uint32_t expected;
  } cases[] = {
      {folder.PathOf("missing.bmp"), 2},  {folder.PathOf("missing/x.bmp"), 3},
      {folder.PathOf("empty.bmp"), 1006},  // an empty file cannot be mapped
      {folder.PathOf("folder.bmp"), 5},   {folder.PathOf("held.bmp"), 32},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(OpenError(c.path), c.expected) << c.path;
  }
}

// Bytes after the last block are never mapped: a 32-bit process has no room
// for a view of gigabytes. A file of 4 GB or more holds no block the compiled
// file could address, whatever its low 32 bits of size say.
TEST(MappedBitmapTest, MapsOnlyUpToTheLastBlockOfALargeFile) {
  constexpr uint64_t k4GB = uint64_t{1} << 32;
  const std::string bytes = MakeBitmap(10, 20, 24);
  const struct {
    const char* what;
    uint64_t size;
    uint32_t expected;  // 0: opens
  } cases[] = {
      {"3 GB", uint64_t{3} << 30, 0},
      {"4 GB less one byte, whose low word reads as INVALID_FILE_SIZE", k4GB - 1, 0},
      {"4 GB", k4GB, 87},
      {"4 GB and the bitmap's own size", k4GB + bytes.size(), 87},
  };
  TestFolder folder;
  const std::string path = folder.PathOf("large.bmp");
  for (const auto& c : cases) {
    WriteFile(path, bytes);
    ExtendFile(path, c.size);
    const uint32_t error = OpenError(path);
    EXPECT_EQ(error, c.expected) << c.what;
    if (error == 0) {
      const MappedBitmap bitmap(path.c_str());
      EXPECT_EQ(std::string(reinterpret_cast<const char*>(bitmap.Header() - 14), bytes.size()),
                bytes)
          << c.what;
    }
  }
}

TEST(MappedBitmapTest, KeepsWritersOutWhileOpen) {
  TestFolder folder;
  const std::string path = folder.PathOf("open.bmp");
  WriteFile(path, MakeBitmap(4, 4, 24));
  {
    const MappedBitmap bitmap(path.c_str());
    const MappedBitmap second(path.c_str());  // readers share
    EXPECT_THROW(ExclusiveHold{path}, std::runtime_error);
  }
  EXPECT_NO_THROW(ExclusiveHold{path});  // released with the bitmap
}

}  // namespace
}  // namespace zet
