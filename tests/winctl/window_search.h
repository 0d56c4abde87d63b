// Finding top-level windows by class, title, owner and visibility, at once or
// by waiting for them to appear or to go.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace zet::winctl {

struct WindowFilter {
  bool matchClass = false;
  std::string className;  // compared without regard to ASCII case
  bool matchTitle = false;
  std::string title;  // compared byte for byte
  HWND owner = nullptr;
  HWND exclude = nullptr;
  DWORD process = 0;
  bool visibleOnly = false;
};

// Filters written as class=NAME, title=TEXT, owner=HWND, not=HWND, pid=N, visible.
WindowFilter ParseFilter(const std::vector<std::string>& fields, size_t first);

// The matching top-level windows, topmost first.
std::vector<HWND> FindWindows(const WindowFilter& filter);

// The first matching window once one exists; throws a std::string after the timeout.
HWND WaitForWindow(const WindowFilter& filter, DWORD timeoutMs);

// Returns once the window is destroyed; throws a std::string after the timeout.
void WaitUntilGone(HWND window, DWORD timeoutMs);

}  // namespace zet::winctl
