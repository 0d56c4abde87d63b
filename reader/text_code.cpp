#include "reader/text_code.h"

#include "reader/format.h"

namespace zet {
namespace {

bool IsControl(char16_t unit) {
  return unit < 0x20 || unit == 0x7F;
}
bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

bool HasControl(const std::u16string& text) {
  for (char16_t unit : text) {
    if (IsControl(unit)) {
      return true;
    }
  }
  return false;
}

// One character at `i` (a surrogate pair counts as one), shown.
std::string ShowCharacter(const std::u16string& text, size_t& i) {
  const char16_t unit = text[i];
  if (IsControl(unit)) {
    ++i;
    return Format("\\x%02X", static_cast<unsigned>(unit));
  }
  const bool pair = IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]);
  const std::u16string character = text.substr(i, pair ? 2 : 1);
  i += character.size();
  std::string shown;
  if (ToShiftJis(character, shown)) {
    return shown;
  }
  if (pair) {
    const unsigned code = 0x10000 + ((unit - 0xD800u) << 10) + (character[1] - 0xDC00u);
    return Format("\\U%08X", code);
  }
  return Format("\\u%04X", static_cast<unsigned>(unit));
}

}  // namespace

bool ToShiftJis(const std::u16string& text, std::string& shiftJis) {
  std::u16string back;
  return PlatformToShiftJis(text, shiftJis) && PlatformFromShiftJis(shiftJis, back) && back == text;
}

std::string ShowText(const std::u16string& text) {
  std::string shown;
  if (!HasControl(text) && ToShiftJis(text, shown)) {
    return shown;
  }
  shown.clear();
  for (size_t i = 0; i < text.size();) {
    shown += ShowCharacter(text, i);
  }
  return shown;
}

}  // namespace zet
