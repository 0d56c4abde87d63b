// Byte classes of Shift-JIS (code page 932), independent of the C locale.
#pragma once

#include <cstddef>

namespace zet {

// A lead byte is followed by a trail byte, which may look like "[", "\" or "]".
inline bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Length of the longest prefix of the first `length` bytes of `text` that
// ends on a character boundary: a lead byte whose trail byte lies beyond
// `length` is left out.
size_t WholeCharsLength(const char* text, size_t length);

// The position after the last "\" or "/" of a path, walking characters so that
// a trail byte 0x5C is never taken for a separator; 0 when there is none.
size_t FileNameOffset(const char* path);

}  // namespace zet
