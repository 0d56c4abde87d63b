// printf-style formatting into a string of any length. The reader's
// texts are Shift-JIS like the rest of the kit; %s arguments pass unchanged.
#pragma once

#include <string>

namespace zetreader {

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace zetreader
