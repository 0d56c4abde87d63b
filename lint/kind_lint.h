// One message kind read and compiled as the compiler does, with what goes
// wrong placed in the source file, and what its program's flow says.
#pragma once

#include <vector>

#include "compiler/source/message_kind.h"
#include "lint/diagnostic.h"
#include "lint/source_view.h"

namespace zetlint {

// Reads kind `index` over `defaults` into `kind` (as the compiler would),
// then opens its bitmap and compiles its program. Diagnostics carry the
// kind's name as their tag.
void LintKind(const SourceView& view, const zet::MessageKindSettings& defaults, int index,
              zet::MessageKindSettings& kind, std::vector<Diagnostic>& out);

}  // namespace zetlint
