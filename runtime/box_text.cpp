#include "runtime/box.h"

namespace zetrt {

int KindOfType(unsigned type) {
  switch (type & 0xF0u) {  // MB_ICONMASK
    case 0x40:             // MB_ICONASTERISK
      return 1;
    case 0x30:  // MB_ICONEXCLAMATION
      return 2;
    case 0x10:  // MB_ICONHAND
      return 3;
    case 0x20:  // MB_ICONQUESTION
      return 4;
    default:
      return 0;
  }
}

std::u16string BoxText(const ZetMessages& messages, int kind, const char16_t* text) {
  const zetreader::KindRecord& record = messages.file.kinds[kind];
  std::u16string shown = text ? std::u16string(text) : record.message.text;
  const std::u16string& suffix = record.suffix.text;
  if (!suffix.empty()) {
    shown += (shown.empty() ? u"" : u"\n") + suffix;
  }
  return shown;
}

}  // namespace zetrt
