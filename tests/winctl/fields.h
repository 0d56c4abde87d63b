// How winctl reads its arguments and writes its answers: texts travel as Shift-JIS
// bytes with backslash escapes, numbers and window handles as decimal or 0x hex.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zet::winctl {

// Escapes "\", control bytes and 0x7F as \\, \t, \r, \n or \xHH, so that a text
// fits on one line and in one tab-separated field. Double-byte characters are
// copied whole: a trail byte 0x5C is no backslash.
std::string Escape(const std::string& text);

// The reverse of Escape; throws a std::string for a broken escape.
std::string Unescape(const std::string& field);

// Splits a command line of the stdin protocol: at tabs when it holds one, else at
// runs of spaces.
std::vector<std::string> SplitFields(const std::string& line);

// Decimal (with an optional "-") or 0x hexadecimal; throws a std::string otherwise.
int64_t ParseNumber(const std::string& field);

// "0x" and upper-case hex digits: how winctl prints handles and bit sets.
std::string FormatHex(uint64_t value);

}  // namespace zet::winctl
