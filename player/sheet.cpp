#include "player/sheet.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "player/play_error.h"
#include "player/png_writer.h"
#include "player/tiny_font.h"
#include "reader/format.h"

namespace zetplay {

namespace {

constexpr int kScale = 2;  // font pixels to sheet pixels
constexpr int kAdvance = (kGlyphWidth + 1) * kScale;
constexpr int kLine = (kGlyphHeight + 2) * kScale;
constexpr int kPad = 6;
constexpr uint32_t kBackground = 0xE8E8E8, kInk = 0x202020, kRed = 0xE01010;

class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height), rgb_(size_t(width) * height * 3) {
    Fill(0, 0, width, height, kBackground);
  }

  void Fill(int x, int y, int w, int h, uint32_t colour) {
    for (int row = y; row < y + h; ++row) {
      for (int col = x; col < x + w; ++col) {
        Put(col, row, colour);
      }
    }
  }

  void Put(int x, int y, uint32_t colour) {
    uint8_t* at = &rgb_[(size_t(y) * width_ + x) * 3];
    at[0] = colour >> 16, at[1] = colour >> 8, at[2] = static_cast<uint8_t>(colour);
  }

  void Copy(int x, int y, const uint8_t* rgb, int w, int h) {
    for (int row = 0; row < h; ++row) {
      std::memcpy(&rgb_[(size_t(y + row) * width_ + x) * 3], rgb + size_t(row) * w * 3,
                  size_t(w) * 3);
    }
  }

  void Text(int x, int y, const std::string& text, uint32_t colour) {
    for (char c : text) {
      const uint8_t* rows = Glyph(c);
      for (int gy = 0; gy < kGlyphHeight; ++gy) {
        for (int gx = 0; gx < kGlyphWidth; ++gx) {
          if (rows[gy] >> (kGlyphWidth - 1 - gx) & 1) {
            Fill(x + gx * kScale, y + gy * kScale, kScale, kScale, colour);
          }
        }
      }
      x += kAdvance;
    }
  }

  // A red cross and border: the frame is never shown.
  void CrossOut(int x, int y, int w, int h) {
    const int steps = std::max(w, h);
    for (int i = 0; i < steps; ++i) {
      const int px = x + static_cast<int>(int64_t{i} * w / steps);
      const int py = y + static_cast<int>(int64_t{i} * h / steps);
      Put(px, py, kRed);
      Put(x + w - 1 - (px - x), py, kRed);
    }
    Fill(x, y, w, 1, kRed);
    Fill(x, y + h - 1, w, 1, kRed);
    Fill(x, y, 1, h, kRed);
    Fill(x + w - 1, y, 1, h, kRed);
  }

  std::string Png() const { return EncodePng(width_, height_, rgb_.data(), size_t(width_) * 3); }

 private:
  int width_, height_;
  std::vector<uint8_t> rgb_;
};

std::string UseText(const FrameUse& use) {
  if (use.count == 0) {
    return "-";
  }
  return zetreader::Format("%lldx %lldms", static_cast<long long>(use.count),
                           static_cast<long long>(use.ms));
}

}  // namespace

std::string DrawSheet(const Picture& picture, int frameHeight, const std::vector<FrameUse>& use) {
  const int count = static_cast<int>(use.size());
  size_t longest = 0;
  for (int i = 0; i < count; ++i) {
    longest = std::max({longest, UseText(use[i]).size(), zetreader::Format("%d", i).size()});
  }
  const int columns = std::max(1, std::min(16, static_cast<int>(std::ceil(std::sqrt(count)))));
  const int rows = (count + columns - 1) / columns;
  const int cellWidth = std::max(picture.width, static_cast<int>(longest) * kAdvance) + 2 * kPad;
  const int cellHeight = frameHeight + 2 * kLine + 2 * kPad;
  if (int64_t{cellWidth} * columns * cellHeight * rows > kLargestSheet) {
    throw PlayError{zetreader::Format("フレーム %d 枚の一覧は大きすぎて描けません。", count)};
  }
  Canvas canvas(cellWidth * columns, cellHeight * rows);
  for (int i = 0; i < count; ++i) {
    const int x = (i % columns) * cellWidth + kPad;
    const int y = (i / columns) * cellHeight + kPad;
    canvas.Copy(x, y, FramePixels(picture, frameHeight, i), picture.width, frameHeight);
    const bool shown = use[i].count > 0;
    if (!shown) {
      canvas.CrossOut(x, y, picture.width, frameHeight);
    }
    canvas.Text(x, y + frameHeight + kScale * 2, zetreader::Format("%d", i), kInk);
    canvas.Text(x, y + frameHeight + kScale * 2 + kLine, UseText(use[i]), shown ? kInk : kRed);
  }
  return canvas.Png();
}

}  // namespace zetplay
