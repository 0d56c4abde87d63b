// The steps between UTF-16 and UTF-8: surrogate pairs and UTF-8 encoding.
#pragma once

#include <cstdint>
#include <string>

namespace zet {

constexpr bool IsHighSurrogate(uint32_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
constexpr bool IsLowSurrogate(uint32_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}
// The code point of a high and a low surrogate.
constexpr uint32_t CodePointOfPair(uint32_t high, uint32_t low) {
  return 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00);
}

// Appends code point `c` (at most 0x10FFFF) in UTF-8.
void AppendUtf8(std::string& out, uint32_t c);

// UTF-16 as UTF-8; a surrogate without its partner becomes U+FFFD, so that the
// result is always well-formed.
std::string Utf8FromUtf16(const std::u16string& text);

}  // namespace zet
