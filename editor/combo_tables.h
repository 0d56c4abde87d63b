// The entries of the editor's two combo boxes: the message-box type bits of each
// choice and its caption, in the order the lists show them.
#pragma once

#include <cstdint>

namespace zet {

struct ComboRow {
  uint32_t value;       // MessageBoxA type bits
  const char* caption;  // Shift-JIS, zero-terminated
};

constexpr int kButtonSetCount = 6;
constexpr int kIconCount = 4;

extern const ComboRow ButtonSetTable[kButtonSetCount];
extern const ComboRow IconTable[kIconCount];

}  // namespace zet
