// Byte classes of Shift-JIS (code page 932), independent of the C locale, and
// the one step from character to character.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zet {

// A lead byte is followed by a trail byte, which may look like "[", "\" or "]".
inline bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The bytes of the character at `pos`: 2 for a lead byte with its trail byte,
// else 1 (a lead byte at the end of the text stands alone).
inline size_t CharSize(std::string_view text, size_t pos) {
  return IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
}

// Length of the longest prefix of the first `length` bytes of `text` that
// ends on a character boundary: a lead byte whose trail byte lies beyond
// `length` is left out.
size_t WholeCharsLength(const char* text, size_t length);

// The path with every "\" that separates path parts turned into "/", as the
// Linux build opens paths written for Windows; a trail byte 0x5C stays.
std::string ToPosixPath(const char* path);

}  // namespace zet
