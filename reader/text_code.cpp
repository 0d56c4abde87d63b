#include "reader/text_code.h"

namespace zetreader {

bool ToShiftJis(const std::u16string& text, std::string& shiftJis) {
  return ShiftJisConverter().ToShiftJis(text, shiftJis);
}

bool ShiftJisConverter::ToShiftJis(const std::u16string& text, std::string& shiftJis) const {
  std::u16string back;
  return PlatformTo(text, shiftJis) && PlatformFrom(shiftJis, back) && back == text;
}

}  // namespace zetreader
