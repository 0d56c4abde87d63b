// The owners winctl takes its handles with, and the one composite it needs.
#pragma once

#include <windows.h>

#include "tests/support/win32_handles.h"

namespace zet::winctl {

// A 32-bit top-down DIB section, selected into its own memory DC while it lives.
class Bitmap32 {
 public:
  Bitmap32(int width, int height);
  ~Bitmap32();
  Bitmap32(const Bitmap32&) = delete;
  Bitmap32& operator=(const Bitmap32&) = delete;
  bool valid() const { return bitmap_.Valid() && dc_.Valid(); }
  HDC dc() const { return dc_.Get(); }
  const DWORD* pixels() const { return pixels_; }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  UniqueMemoryDc dc_{CreateCompatibleDC(nullptr)};
  UniqueGdiObject bitmap_;
  HGDIOBJ previous_ = nullptr;
  DWORD* pixels_ = nullptr;
  int width_;
  int height_;
};

}  // namespace zet::winctl
