#include <windows.h>

#include <vector>

#include "compiler/output/wide_text.h"
#include "platform/system_error.h"
#include "platform/win32_error.h"

namespace zet {

std::u16string ToWideText(const std::string& text) {
  // The whole string with its terminator, so the count includes the zero.
  const int units = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (units == 0) {
    throw Win32Error{LastSystemError()};
  }
  std::vector<wchar_t> buffer(static_cast<size_t>(units));
  if (MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, buffer.data(), units) == 0) {
    throw Win32Error{LastSystemError()};
  }
  const int length = lstrlenW(buffer.data());
  return std::u16string(buffer.begin(), buffer.begin() + length);
}

}  // namespace zet
