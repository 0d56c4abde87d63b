#include <windows.h>

#include "reader/text_code.h"

namespace zetreader {

// As the compiler converts: MultiByteToWideChar from the ANSI code page, no flags.
bool PlatformFromShiftJis(const std::string& shiftJis, std::u16string& text) {
  text.clear();
  if (shiftJis.empty()) {
    return true;
  }
  const int count = static_cast<int>(shiftJis.size());
  const int length = MultiByteToWideChar(CP_ACP, 0, shiftJis.data(), count, nullptr, 0);
  if (length <= 0) {
    return false;
  }
  text.assign(static_cast<size_t>(length), u'\0');
  MultiByteToWideChar(CP_ACP, 0, shiftJis.data(), count, reinterpret_cast<wchar_t*>(text.data()),
                      length);
  return true;
}

// The system's conversions keep no state between calls.
struct ShiftJisConverter::Platform {};

ShiftJisConverter::ShiftJisConverter() = default;
ShiftJisConverter::~ShiftJisConverter() = default;

bool ShiftJisConverter::PlatformTo(const std::u16string& text, std::string& shiftJis) const {
  shiftJis.clear();
  if (text.empty()) {
    return true;
  }
  const auto* units = reinterpret_cast<const wchar_t*>(text.data());
  const int count = static_cast<int>(text.size());
  BOOL usedDefault = FALSE;
  const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, units, count, nullptr, 0,
                                         nullptr, &usedDefault);
  if (length <= 0 || usedDefault) {
    return false;
  }
  shiftJis.assign(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, units, count, shiftJis.data(), length, nullptr,
                      &usedDefault);
  return !usedDefault;
}

bool ShiftJisConverter::PlatformFrom(const std::string& shiftJis, std::u16string& text) const {
  return PlatformFromShiftJis(shiftJis, text);
}

}  // namespace zetreader
