// Compiled files for the tests of the reader and of the programs on it, made
// from content through the compiler's layout, and the tests' own data files.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "reader/file_format.h"
#include "reader/layout.h"

namespace zetreader {

// A BMP info block (40-byte header and colour table) and a pixel block of
// the size the header gives, filled with a pattern.
BitmapContent MakeBitmap(int32_t width, int32_t height, uint16_t bitCount, uint32_t clrUsed = 0);

// Frame code bytes as they are, however wrong.
std::vector<uint8_t> Code(std::initializer_list<int> bytes);
// One instruction for the assembler: an opcode and its operands.
struct Statement {
  FrameOp op;
  std::vector<uint16_t> operands;
};
// Frame code written by the opcode table: Assemble({{FrameOp::Goto, {3}}}).
// Aborts on a count of operands the opcode does not take.
std::vector<uint8_t> Assemble(std::initializer_list<Statement> code);
void AppendStatement(std::vector<uint8_t>& code, const Statement& statement);
// '0; loop: 1; repeat 2 for 3; prob 1 of 4 goto loop; for 0 to 2; goto loop;'
std::vector<uint8_t> LoopCode();

// Comment "abc", caption OK "OK", every kind "0;" on one 24-bit bitmap of
// 10 x 20: the 929-byte file whose every offset is known.
FileContent WorkedLayout();
// The same with the NOICON code LoopCode() and a bitmap of 10 x 60 with 3
// frames of 20: 2232 bytes, the base of the damage table.
FileContent DamageBase();
// Every feature at once: Japanese texts, texts that need quotes, three
// bitmaps of which two are shared, jumps to the end, empty code.
FileContent RichFile();

// UTF-8 of a Shift-JIS text, to compare with reviewed texts stored as UTF-8.
std::string Utf8FromShiftJis(const std::string& shiftJis);
// The bytes of a file of the tests' own data (relative to the test's
// working directory); empty when it cannot be read.
std::string ReadTestFile(const std::string& path);

void PutU32(std::vector<uint8_t>& bytes, uint32_t at, uint32_t value);
uint32_t GetU32(const std::vector<uint8_t>& bytes, uint32_t at);

}  // namespace zetreader
