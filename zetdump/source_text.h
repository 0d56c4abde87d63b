// Source text: the statement each instruction compiles from, and lines of a
// source file that read back as exactly the values we mean (the profile
// reader trims blanks at both ends of a value and drops one pair of matching
// quotes, and a value ends at the end of its line).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "reader/frame_code.h"

namespace zetdump {

// The code offsets that jumps go to, ascending, each once.
std::vector<uint32_t> JumpTargets(const std::vector<zetreader::Instruction>& code);
// The label that stands for a code offset: "L" and the offset in decimal.
std::string LabelName(uint32_t offset);
// The statement that compiles to the instruction, with its ';'.
std::string StatementText(const zetreader::Instruction& instruction);

// The longest value the compiler reads from one key.
constexpr size_t kLongestValue = 32766;

// Whether some source line holds `value` (Shift-JIS): no CR or LF, not
// longer than kLongestValue.
bool FitsSourceLine(const std::string& value);

// "key=value\r\n", with the value in quotes when the reader would otherwise
// trim or unquote it.
std::string SourceLine(const char* key, const std::string& value);

// The values of FRAMES1, FRAMES2, ... for a program that compiles to `code`
// of `length` bytes: one statement per instruction, a label before each
// jump target, lines cut between statements below kLongestValue. An empty
// code gives "to;", an empty statement.
std::vector<std::string> FramesValues(const std::vector<zetreader::Instruction>& code,
                                      uint32_t length, size_t lineLimit = kLongestValue);

}  // namespace zetdump
