// Between the file's UTF-16LE texts and the kit's Shift-JIS (code page 932:
// the system's ANSI code page on Windows, iconv's CP932 on Linux).
#pragma once

#include <memory>
#include <string>

namespace zetreader {

// The Shift-JIS form of `text`; false when a character has no form that
// converts back to exactly that character, so that a source holding it would
// compile into a different string.
bool ToShiftJis(const std::u16string& text, std::string& shiftJis);

// ToShiftJis for many short texts, such as a text shown a character at a
// time: the Linux build opens its converters once instead of for each text.
class ShiftJisConverter {
 public:
  ShiftJisConverter();
  ~ShiftJisConverter();

  bool ToShiftJis(const std::u16string& text, std::string& shiftJis) const;

 private:
  struct Platform;
  bool PlatformTo(const std::u16string& text, std::string& shiftJis) const;
  bool PlatformFrom(const std::string& shiftJis, std::u16string& text) const;

  std::unique_ptr<Platform> platform_;
};

// The platform's conversion from Shift-JIS, without the round-trip check;
// false when the platform refuses a character.
bool PlatformFromShiftJis(const std::string& shiftJis, std::u16string& text);

}  // namespace zetreader
