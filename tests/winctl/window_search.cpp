#include "tests/winctl/window_search.h"

#include "tests/winctl/fields.h"
#include "tests/winctl/window_access.h"

namespace zet::winctl {
namespace {

constexpr DWORD kPollMs = 20;

char FoldAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameIgnoringAsciiCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) {
      return false;
    }
  }
  return true;
}

// The title as the system keeps it, without messaging a window that may be busy.
std::string StoredTitle(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string title(static_cast<size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(window, &title[0], length + 1);
  title.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return title;
}

bool Matches(HWND window, const WindowFilter& filter) {
  if (window == filter.exclude) {
    return false;
  }
  if (filter.visibleOnly && !IsWindowVisible(window)) {
    return false;
  }
  if (filter.owner != nullptr && GetWindow(window, GW_OWNER) != filter.owner) {
    return false;
  }
  if (filter.process != 0) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != filter.process) {
      return false;
    }
  }
  if (filter.matchClass && !SameIgnoringAsciiCase(ClassName(window), filter.className)) {
    return false;
  }
  return !filter.matchTitle || StoredTitle(window) == filter.title;
}

struct Search {
  const WindowFilter* filter;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM searchAddress) {
  auto* search = reinterpret_cast<Search*>(searchAddress);
  if (Matches(window, *search->filter)) {
    search->found.push_back(window);
  }
  return TRUE;
}

}  // namespace

WindowFilter ParseFilter(const std::vector<std::string>& fields, size_t first) {
  WindowFilter filter;
  for (size_t i = first; i < fields.size(); ++i) {
    const std::string& field = fields[i];
    const size_t equals = field.find('=');
    const std::string key = field.substr(0, equals);
    const std::string value = equals == std::string::npos ? "" : field.substr(equals + 1);
    if (field == "visible") {
      filter.visibleOnly = true;
    } else if (key == "class") {
      filter.matchClass = true;
      filter.className = value;
    } else if (key == "title") {
      filter.matchTitle = true;
      filter.title = value;
    } else if (key == "owner") {
      filter.owner = ParseWindow(value);
    } else if (key == "not") {
      filter.exclude = reinterpret_cast<HWND>(static_cast<uintptr_t>(ParseNumber(value)));
    } else if (key == "pid") {
      filter.process = static_cast<DWORD>(ParseNumber(value));
    } else {
      throw std::string("unknown filter \"" + field + "\"");
    }
  }
  return filter;
}

std::vector<HWND> FindWindows(const WindowFilter& filter) {
  Search search{&filter, {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForWindow(const WindowFilter& filter, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    const std::vector<HWND> found = FindWindows(filter);
    if (!found.empty()) {
      return found.front();
    }
    if (GetTickCount() - start >= timeoutMs) {
      throw std::string("no such window after " + std::to_string(timeoutMs) + " ms");
    }
    Sleep(kPollMs);
  }
}

void WaitUntilGone(HWND window, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (IsWindow(window)) {
    if (GetTickCount() - start >= timeoutMs) {
      throw std::string("window " + FormatWindow(window) + " still there after " +
                        std::to_string(timeoutMs) + " ms");
    }
    Sleep(kPollMs);
  }
}

}  // namespace zet::winctl
