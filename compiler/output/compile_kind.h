// Compiles one message kind: its bitmap gives the frame count, its frames
// program becomes its frame code.
#pragma once

#include <string>

#include "compiler/source/message_kind.h"

namespace zet {

// Settles the kind's frameHeight (0 becomes the bitmap height) and fills its
// code. Throws std::string or Win32Error.
void CompileKind(MessageKindSettings& kind);

// The frame count of a strip of `height` rows under the kind's frame height,
// which it settles (0 becomes the height). Throws std::string.
uint32_t SettleFrameCount(MessageKindSettings& kind, uint32_t height);

// A failure of one kind as the user sees it: the kind's section name, then
// the text of the failure, cut at 1023 bytes on a character boundary.
std::string KindErrorMessage(const char* kindName, const std::string& text);

}  // namespace zet
