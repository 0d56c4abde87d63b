// The Linux build's conversions of code page 932 text, made as Windows makes
// them: glibc's "CP932" is Windows' Shift-JIS (5C is "\", 81 60 is U+FF5E)
// except for five single bytes that Windows maps and glibc refuses, which are
// added here. One conversion descriptor per call; throws Win32Error when the
// system has no converter.
#pragma once

#include <string>
#include <string_view>

#include "platform/system_handles.h"

namespace zet {

// What a conversion does with a character it cannot convert: fail (the call
// returns false), or put in what Windows puts in.
enum class Unmapped { Fail, Replace };

// As MultiByteToWideChar: a byte or pair that is no character becomes U+30FB,
// a lead byte taking its trail byte with it.
bool Cp932ToUtf16(std::string_view text, std::u16string& out, Unmapped unmapped);

// As WideCharToMultiByte: a character code page 932 lacks becomes "?" (one for
// a surrogate pair).
bool Utf16ToCp932(std::u16string_view text, std::string& out, Unmapped unmapped);

// For a UTF-8 terminal: each byte that is no character becomes "?".
bool Cp932ToUtf8(std::string_view text, std::string& out, Unmapped unmapped);

// Cp932ToUtf16 and Utf16ToCp932 with their descriptors opened once, for
// callers that convert many short texts: opening one costs far more than
// converting a character.
class Cp932Converter {
 public:
  Cp932Converter();

  bool ToUtf16(std::string_view text, std::u16string& out, Unmapped unmapped) const;
  bool FromUtf16(std::u16string_view text, std::string& out, Unmapped unmapped) const;

 private:
  UniqueIconv toUtf16_;
  UniqueIconv fromUtf16_;
};

}  // namespace zet
