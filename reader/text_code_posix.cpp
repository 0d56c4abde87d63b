#include "platform/cp932_posix.h"
#include "reader/text_code.h"

namespace zetreader {

bool PlatformFromShiftJis(const std::string& shiftJis, std::u16string& text) {
  return zet::Cp932ToUtf16(shiftJis, text, zet::Unmapped::Fail);
}

struct ShiftJisConverter::Platform {
  zet::Cp932Converter converter;
};

ShiftJisConverter::ShiftJisConverter() : platform_(std::make_unique<Platform>()) {}
ShiftJisConverter::~ShiftJisConverter() = default;

bool ShiftJisConverter::PlatformTo(const std::u16string& text, std::string& shiftJis) const {
  return platform_->converter.FromUtf16(text, shiftJis, zet::Unmapped::Fail);
}

bool ShiftJisConverter::PlatformFrom(const std::string& shiftJis, std::u16string& text) const {
  return platform_->converter.ToUtf16(shiftJis, text, zet::Unmapped::Fail);
}

}  // namespace zetreader
