// Compiles one message kind's frames program into frame code.
//
// Grammar (labels before any statement; every statement ends with ';'):
//   program   := { { label ':' } statement ';' }
//   statement := N | 'repeat' F 'for' N | 'for' A 'to' B | 'goto' L
//              | 'prob' P 'of' Q 'goto' L | (empty)
//
// What each statement becomes is described in frame_code.h.
#pragma once

#include <cstdint>

#include "compiler/frames/code_buffer.h"
#include "compiler/frames/frame_code.h"
#include "compiler/frames/frame_places.h"
#include "compiler/frames/frame_scanner.h"
#include "compiler/frames/label_table.h"

namespace zet {

class FrameCompiler : public FrameScanner {
 public:
  // The frame count is taken in 32 bits so that a strip of more than
  // kMaxFrameNumber frames accepts every frame number the language can write.
  // A null text counts as empty.
  FrameCompiler(const char* text, CodeBuffer& code, uint32_t frameCount);

  // Throws std::string "frames<line> <column>文字目付近:<message>\r\n" on the
  // first language error; TokenLine() and TokenColumn() then give the place.
  void Compile();

  // Has Compile() record where each statement and label stands; `places`
  // outlives the compilation and is complete once Compile() returns.
  void RecordPlaces(FramePlaces& places) { places_ = &places; }

 private:
  void CompileStatements();
  void CompileFrame(const Token& token);
  void CompileRepeat(Token& token);
  void CompileFor(Token& token);
  void CompileGoto(Token& token);
  void CompileProb(Token& token);

  void Expect(Token& token, TokenKind kind);
  void CheckFrame(uint16_t frame) const;
  // Appends one instruction, laid out as kFrameOpcodes[kOp] says, and returns
  // the code offset of its first byte.
  template <FrameOpcode kOp, typename... Operands>
  uint16_t Emit(Operands... operands);
  // Names the label whose offset is patched into operand kIndex of the
  // instruction at `at` once all code is known; only a jump operand takes one.
  template <FrameOpcode kOp>
  void ReferenceJump(const Token& token, uint16_t at);

  CodeBuffer& code_;
  uint32_t frameCount_;
  LabelTable labels_;
  FramePlaces* places_ = nullptr;
};

}  // namespace zet
