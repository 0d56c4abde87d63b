#include "player/changed_box.h"

#include <cstring>

namespace zetplay {

namespace {

bool RowsEqual(const uint8_t* a, const uint8_t* b, size_t bytes) {
  return std::memcmp(a, b, bytes) == 0;
}

bool ColumnEqual(const uint8_t* a, const uint8_t* b, int x, int top, int bottom, size_t stride,
                 int pixelBytes) {
  for (int y = top; y < bottom; ++y) {
    const size_t at = y * stride + static_cast<size_t>(x) * pixelBytes;
    if (std::memcmp(a + at, b + at, pixelBytes) != 0) {
      return false;
    }
  }
  return true;
}

}  // namespace

Box ChangedBox(const uint8_t* before, const uint8_t* after, int width, int height, int pixelBytes) {
  const size_t stride = static_cast<size_t>(width) * pixelBytes;
  int top = 0;
  while (top < height && RowsEqual(before + top * stride, after + top * stride, stride)) {
    ++top;
  }
  if (top == height) {
    return {};
  }
  int bottom = height;
  while (RowsEqual(before + (bottom - 1) * stride, after + (bottom - 1) * stride, stride)) {
    --bottom;
  }
  int left = 0;
  while (ColumnEqual(before, after, left, top, bottom, stride, pixelBytes)) {
    ++left;
  }
  int right = width;
  while (ColumnEqual(before, after, right - 1, top, bottom, stride, pixelBytes)) {
    --right;
  }
  return {left, top, right - left, bottom - top};
}

}  // namespace zetplay
