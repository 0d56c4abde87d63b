#include <cstring>

#include "compiler/output/wide_text.h"
#include "platform/cp932_posix.h"

namespace zet {

std::u16string ToWideText(const std::string& text) {
  std::u16string wide;
  Cp932ToUtf16(std::string_view(text.c_str(), strlen(text.c_str())), wide, Unmapped::Replace);
  return wide;
}

}  // namespace zet
