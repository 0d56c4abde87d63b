// Compiles one message kind's frames program into frame code.
//
// Grammar (labels before any statement; every statement ends with ';'):
//   program   := { { label ':' } statement ';' }
//   statement := N | 'repeat' F 'for' N | 'for' A 'to' B | 'goto' L
//              | 'prob' P 'of' Q 'goto' L | (empty)
//
// Frame code: instructions packed without gaps, an opcode byte followed by
// 16-bit little-endian operands:
//   +----+-----+-----+-----+
//   | op | u16 | u16 | u16 |   (as many operands as the opcode takes)
//   +----+-----+-----+-----+
#pragma once

#include <cstdint>

#include "compiler/frames/code_buffer.h"
#include "compiler/frames/frame_scanner.h"
#include "compiler/frames/label_table.h"

namespace zet {

enum FrameOpcode : uint8_t {
  OpFrame = 0,   // frame N                                 3 bytes
  OpRepeat = 1,  // frame F, count N (1..65535)             5 bytes
  OpFor = 2,     // frame A, frame B (either order)         5 bytes
  OpGoto = 3,    // code offset of L                        3 bytes
  OpProb = 4,    // P, Q (1 <= P <= Q <= 255), offset of L  7 bytes
};

class FrameCompiler : public FrameScanner {
 public:
  // The frame count is taken in 32 bits so that a strip of more than 65535
  // frames accepts every frame number the language can write. A null text
  // counts as empty.
  FrameCompiler(const char* text, CodeBuffer& code, uint32_t frameCount);

  // Throws std::string "frames<line> <column>文字目付近:<message>\r\n" on the
  // first language error.
  void Compile();

 private:
  void CompileStatements();
  void CompileFrame(const Token& token);
  void CompileRepeat(Token& token);
  void CompileFor(Token& token);
  void CompileGoto(Token& token);
  void CompileProb(Token& token);

  void Expect(Token& token, TokenKind kind);
  void CheckFrame(uint16_t frame) const;
  void Emit8(uint8_t value);
  uint16_t Emit16(uint16_t value);

  CodeBuffer& code_;
  uint32_t frameCount_;
  LabelTable labels_;
};

}  // namespace zet
