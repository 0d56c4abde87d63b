// The dump: everything a compiled file holds, as text for an author.
#pragma once

#include <string>

#include "reader/file_bytes.h"

namespace zetdump {

// Appends the dump of `bytes` to `text` (Shift-JIS, lines ending in "\n"),
// part by part: header, texts, then each kind. Throws FileFault at the first
// fault; `text` then holds the parts before it.
void DumpCompiledFile(const zetreader::FileBytes& bytes, std::string& text);

// How the dump shows a text, in Shift-JIS: control characters as \xNN and
// characters without a Shift-JIS form as \uXXXX (or \UXXXXXXXX).
std::string ShowText(const std::u16string& text);

}  // namespace zetdump
