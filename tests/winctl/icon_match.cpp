#include "tests/winctl/icon_match.h"

#include "tests/winctl/handles.h"

namespace zet::winctl {
namespace {

struct StandardIcon {
  const char* name;
  LPCSTR id;
};

const StandardIcon kStandardIcons[] = {
    {"information", IDI_ASTERISK}, {"exclamation", IDI_EXCLAMATION}, {"hand", IDI_HAND},
    {"question", IDI_QUESTION},    {"application", IDI_APPLICATION},
};

constexpr int kChannelTolerance = 8;
constexpr DWORD kRetryMs = 50;

bool SamePixel(DWORD a, DWORD b) {
  for (int shift = 0; shift < 24; shift += 8) {
    const int difference =
        static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
    if (difference > kChannelTolerance || difference < -kChannelTolerance) {
      return false;
    }
  }
  return true;
}

size_t CountDiffering(const Bitmap32& a, const Bitmap32& b) {
  const size_t count = static_cast<size_t>(a.width()) * static_cast<size_t>(a.height());
  size_t differing = 0;
  for (size_t i = 0; i < count; ++i) {
    if (!SamePixel(a.pixels()[i], b.pixels()[i])) {
      ++differing;
    }
  }
  return differing;
}

void CaptureScreen(const RECT& area, Bitmap32& into) {
  const UniqueScreenDc screen(GetDC(nullptr));
  BitBlt(into.dc(), 0, 0, into.width(), into.height(), screen.Get(), area.left, area.top, SRCCOPY);
  GdiFlush();
}

// The icon as the window would draw it: at the window's size over its background.
void DrawReference(LPCSTR iconId, DWORD background, Bitmap32& into) {
  const size_t count = static_cast<size_t>(into.width()) * static_cast<size_t>(into.height());
  DWORD* pixels = const_cast<DWORD*>(into.pixels());
  for (size_t i = 0; i < count; ++i) {
    pixels[i] = background;
  }
  DrawIconEx(into.dc(), 0, 0, LoadIconA(nullptr, iconId), into.width(), into.height(), 0, nullptr,
             DI_NORMAL);
  GdiFlush();
}

IconMatch ClosestIcon(const Bitmap32& shown) {
  IconMatch best{"", static_cast<size_t>(-1), static_cast<size_t>(shown.width()) * shown.height()};
  for (const StandardIcon& icon : kStandardIcons) {
    Bitmap32 reference(shown.width(), shown.height());
    if (!reference.valid()) {
      throw std::string("cannot draw a reference icon");
    }
    DrawReference(icon.id, shown.pixels()[0], reference);
    const size_t differing = CountDiffering(shown, reference);
    if (differing < best.differing) {
      best = {icon.name, differing, best.total};
    }
  }
  return best;
}

}  // namespace

IconMatch MatchStandardIcon(HWND window, DWORD timeoutMs) {
  RECT area = {};
  GetWindowRect(window, &area);
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) {
    throw std::string("the window has no area");
  }
  const DWORD start = GetTickCount();
  for (;;) {
    // The window may not be painted yet: look again until a picture matches.
    Bitmap32 shown(width, height);
    if (!shown.valid()) {
      throw std::string("cannot capture the screen");
    }
    CaptureScreen(area, shown);
    const IconMatch best = ClosestIcon(shown);
    if (best.differing == 0 || GetTickCount() - start >= timeoutMs) {
      return best;
    }
    Sleep(kRetryMs);
  }
}

}  // namespace zet::winctl
