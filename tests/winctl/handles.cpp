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
  bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (valid()) {
    pixels_ = static_cast<DWORD*>(bits);
    previous_ = SelectObject(dc_.Get(), bitmap_.Get());
  }
}

// The bitmap leaves the DC before either is deleted.
Bitmap32::~Bitmap32() {
  if (previous_ != nullptr) {
    SelectObject(dc_.Get(), previous_);
  }
}

}  // namespace zet::winctl
