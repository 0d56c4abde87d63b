#include "reader/text_code.h"

namespace zetreader {

bool ToShiftJis(const std::u16string& text, std::string& shiftJis) {
  std::u16string back;
  return PlatformToShiftJis(text, shiftJis) && PlatformFromShiftJis(shiftJis, back) && back == text;
}

}  // namespace zetreader
