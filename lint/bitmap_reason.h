// Why a bitmap was refused, in words: the compiler says only the system's
// text for code 87.
#pragma once

#include <string>

namespace zetlint {

// The reason and what to do, for a bitmap at `path` (as the compiler opens
// it) that the compiler refused with code 87; Shift-JIS.
std::string ExplainRefusedBitmap(const char* path);

}  // namespace zetlint
