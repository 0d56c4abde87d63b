// Which standard icon a window shows, judged from the pixels on the screen: an icon
// handle of another process cannot be read, but its picture can.
#pragma once

#include <windows.h>

#include <string>

namespace zet::winctl {

struct IconMatch {
  std::string name;  // "information", "exclamation", "hand", "question", "application"
  size_t differing;  // pixels that differ from that icon drawn on the same background
  size_t total;      // pixels compared
};

// Compares the window's area on the screen with each standard icon drawn at the
// window's size over the area's corner colour, until one matches exactly or the
// time is up; returns the closest.
IconMatch MatchStandardIcon(HWND window, DWORD timeoutMs);

}  // namespace zet::winctl
