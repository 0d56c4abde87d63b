#include "platform/unicode.h"

namespace zet {

void AppendUtf8(std::string& out, uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
    return;
  }
  // Lead byte, then continuation bytes of six bits each.
  const int continuations = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
  static const uint8_t kLead[] = {0, 0xC0, 0xE0, 0xF0};
  out += static_cast<char>(kLead[continuations] | c >> (6 * continuations));
  for (int i = continuations - 1; i >= 0; --i) {
    out += static_cast<char>(0x80 | (c >> (6 * i) & 0x3F));
  }
}

std::string Utf8FromUtf16(const std::u16string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      AppendUtf8(out, CodePointOfPair(c, text[++i]));
    } else {
      AppendUtf8(out, IsHighSurrogate(c) || IsLowSurrogate(c) ? 0xFFFD : c);
    }
  }
  return out;
}

}  // namespace zet
