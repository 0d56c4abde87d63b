#include "tests/winctl/handles.h"

namespace zet::winctl {

Bitmap32::Bitmap32(int width, int height) : width_(width), height_(height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap_ != nullptr && dc_.get() != nullptr) {
    pixels_ = static_cast<DWORD*>(bits);
    previous_ = SelectObject(dc_.get(), bitmap_);
  }
}

Bitmap32::~Bitmap32() {
  if (previous_ != nullptr) {
    SelectObject(dc_.get(), previous_);
  }
  if (bitmap_ != nullptr) {
    DeleteObject(bitmap_);
  }
}

}  // namespace zet::winctl
