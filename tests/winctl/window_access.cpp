#include "tests/winctl/window_access.h"

#include "tests/winctl/fields.h"

namespace zet::winctl {
namespace {

constexpr UINT kSendTimeoutMs = 5000;

// Texts cross processes in UTF-16 and are handed over in the ANSI code page (932).
std::string Narrow(const std::wstring& text) {
  if (text.empty()) {
    return {};
  }
  const int size = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), size, &narrow[0], length, nullptr, nullptr);
  return narrow;
}

std::wstring Widen(const std::string& text) {
  if (text.empty()) {
    return {};
  }
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), size, &wide[0], length);
  return wide;
}

}  // namespace

HWND ParseWindow(const std::string& field) {
  const auto window = reinterpret_cast<HWND>(static_cast<uintptr_t>(ParseNumber(field)));
  if (!IsWindow(window)) {
    throw std::string("no window " + field);
  }
  return window;
}

std::string FormatWindow(HWND window) {
  return FormatHex(static_cast<uint64_t>(reinterpret_cast<uintptr_t>(window)));
}

LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  DWORD_PTR result = 0;
  if (SendMessageTimeoutA(window, message, wparam, lparam, SMTO_NORMAL, kSendTimeoutMs, &result) ==
      0) {
    throw std::string("no answer from " + FormatWindow(window) + " to message " +
                      FormatHex(message));
  }
  return static_cast<LRESULT>(result);
}

std::string ClassName(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof(name));
  return name;
}

std::string WindowText(HWND window) {
  // Asked in UTF-16: across processes Wine answers some ANSI requests in UTF-16.
  const LRESULT length = SendWithTimeout(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  DWORD_PTR copied = 0;
  if (SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]),
                          SMTO_NORMAL, kSendTimeoutMs, &copied) == 0) {
    throw std::string("no answer from " + FormatWindow(window) + " to WM_GETTEXT");
  }
  text.resize(copied);
  return Narrow(text);
}

void SetWindowTextOf(HWND window, const std::string& text) {
  const std::wstring wide = Widen(text);
  DWORD_PTR done = 0;
  if (SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()),
                          SMTO_NORMAL, kSendTimeoutMs, &done) == 0) {
    throw std::string("no answer from " + FormatWindow(window) + " to WM_SETTEXT");
  }
  if (!done) {
    throw std::string("WM_SETTEXT refused by " + FormatWindow(window));
  }
}

std::string ComboItemText(HWND combo, int index) {
  const auto item = static_cast<WPARAM>(index);
  std::wstring text(static_cast<size_t>(SendWithTimeout(combo, CB_GETLBTEXTLEN, item, 0)) + 1,
                    L'\0');
  DWORD_PTR copied = 0;
  if (SendMessageTimeoutW(combo, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(&text[0]),
                          SMTO_NORMAL, kSendTimeoutMs, &copied) == 0) {
    throw std::string("no answer from " + FormatWindow(combo) + " to CB_GETLBTEXT");
  }
  text.resize(static_cast<LRESULT>(copied) > 0 ? copied : 0);
  return Narrow(text);
}

int ControlId(HWND window) {
  return GetDlgCtrlID(window) & 0xFFFF;
}

RECT RectInParent(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  const HWND parent =
      (GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : nullptr;
  if (parent != nullptr) {
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  }
  return rect;
}

}  // namespace zet::winctl
