// Compiles one message kind: its bitmap gives the frame count, its frames
// program becomes its frame code.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "compiler/source/message_kind.h"

namespace zet {

// Settles the kind's frameHeight (0 becomes the bitmap height) and fills its
// code; returns the bitmap's height. `knownHeight`, when given, is the height
// of the same bitmap path opened for an earlier kind of the source, which is
// then not opened again. Throws std::string or Win32Error.
uint32_t CompileKind(MessageKindSettings& kind, std::optional<uint32_t> knownHeight = std::nullopt);

// A failure of one kind as the user sees it: the kind's section name, then
// the text of the failure, cut at 1023 bytes on a character boundary.
std::string KindErrorMessage(const char* kindName, const std::string& text);

}  // namespace zet
