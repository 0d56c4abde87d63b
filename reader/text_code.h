// Between the file's UTF-16LE texts and the kit's Shift-JIS (code page 932:
// the system's ANSI code page on Windows, iconv's CP932 on Linux).
#pragma once

#include <string>

namespace zetreader {

// The Shift-JIS form of `text`; false when a character has no form that
// converts back to exactly that character, so that a source holding it would
// compile into a different string.
bool ToShiftJis(const std::u16string& text, std::string& shiftJis);

// What the console expects: UTF-8 on Linux; Shift-JIS, unchanged, on Windows.
std::string ToConsoleText(const std::string& shiftJis);

// The platform's conversions, without the round-trip check; false when the
// platform refuses a character.
bool PlatformToShiftJis(const std::u16string& text, std::string& shiftJis);
bool PlatformFromShiftJis(const std::string& shiftJis, std::u16string& text);

}  // namespace zetreader
