// One message box of the system's, customised for the one call: the kind's
// animation in the icon's place, the file's button captions, laid out again
// so that everything fits. Falls back to the plain box when anything fails.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/messages.h"

namespace zetrt {

struct BoxRequest {
  const ZetMessages* messages = nullptr;
  const void* owner = nullptr;  // HWND
  std::u16string text;          // the caller's, when hasText
  bool hasText = false;
  const char16_t* caption = nullptr;  // nullptr: the system's
  unsigned type = 0;                  // MB_* flags, passed on as they are
  int64_t unitMs = 1;
  int64_t defaultMs = 100;
  uint64_t seed = 0;  // 0: drawn from the clock
};

// The kind the icon bits of `type` name; any other icon shows NOICON's.
int KindOfType(unsigned type);

// The caller's text, or the kind's message when there is none, with the
// kind's suffix on a line of its own.
std::u16string BoxText(const ZetMessages& messages, int kind, const char16_t* text);

// Shows the box and returns what MessageBoxW returns.
int ShowBox(const BoxRequest& request);

}  // namespace zetrt
