#include <windows.h>

#include <string>

#include "lint/lint_platform.h"
#include "platform/shift_jis.h"

namespace zetlint {
namespace {

constexpr UINT kShiftJis = 932;

std::string Utf8From(UINT codePage, const std::string& text) {
  if (text.empty()) {
    return text;
  }
  const int size = static_cast<int>(text.size());
  const int units = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(units), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), units);
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

}  // namespace

std::string Utf8Text(const std::string& shiftJis) {
  return Utf8From(kShiftJis, shiftJis);
}

std::string Utf8Path(const std::string& path) {
  return Utf8From(CP_ACP, zet::ToPosixPath(path.c_str()));
}

}  // namespace zetlint
