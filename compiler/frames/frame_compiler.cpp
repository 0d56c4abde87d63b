#include "compiler/frames/frame_compiler.h"

#include <string>

#include "compiler/common/format_string.h"
#include "compiler/frames/ani_error.h"

namespace zet {

FrameCompiler::FrameCompiler(const char* text, CodeBuffer& code, uint32_t frameCount)
    : FrameScanner(text), code_(code), frameCount_(frameCount) {}

void FrameCompiler::Compile() {
  try {
    CompileStatements();
  } catch (const AniError& error) {
    // The message is an argument, never the format: it is text, not a pattern.
    throw FormatString("frames%d %d文字目付近:%s\r\n", static_cast<int>(TokenLine()),
                       static_cast<int>(TokenColumn()), error.Message());
  }
}

// program := { { label ':' } statement ';' }
void FrameCompiler::CompileStatements() {
  Token token;
  for (;;) {
    NextToken(token);
    if (token.kind == TokenKind::End) {
      break;
    }
    while (token.kind == TokenKind::Identifier) {
      // Defined before the ':' is looked at.
      labels_.Define(token.text, static_cast<uint16_t>(code_.Length()));
      NextToken(token);
      if (token.kind != TokenKind::Colon) {
        throw AniLabelNeedsSeparator();
      }
      NextToken(token);
    }
    switch (token.kind) {
      case TokenKind::Number:
        CompileFrame(token);
        break;
      case TokenKind::KwRepeat:
        CompileRepeat(token);
        break;
      case TokenKind::KwFor:
        CompileFor(token);
        break;
      case TokenKind::KwGoto:
        CompileGoto(token);
        break;
      case TokenKind::KwProb:
        CompileProb(token);
        break;
      default:
        break;  // an empty statement: the token itself is dropped
    }
    Expect(token, TokenKind::Semicolon);
  }
  // Only now is it known which labels never got a definition; point at the
  // first reference of the earliest one.
  if (const LabelEntry* missing = labels_.FirstUndefined()) {
    SetTokenPosition(missing->referenceLine, missing->referenceColumn);
    throw AniLabelNotDefined();
  }
  labels_.Resolve(code_);
}

// statement := N
void FrameCompiler::CompileFrame(const Token& token) {
  CheckFrame(token.number);
  Emit8(OpFrame);
  Emit16(token.number);
}

// statement := 'repeat' F 'for' N
void FrameCompiler::CompileRepeat(Token& token) {
  Expect(token, TokenKind::Number);
  const uint16_t frame = token.number;
  Expect(token, TokenKind::KwFor);
  Expect(token, TokenKind::Number);
  const uint16_t count = token.number;
  CheckFrame(frame);
  if (count == 0) {
    throw AniRepeatTimeIs0();
  }
  Emit8(OpRepeat);
  Emit16(frame);
  Emit16(count);
}

// statement := 'for' A 'to' B
void FrameCompiler::CompileFor(Token& token) {
  Expect(token, TokenKind::Number);
  const uint16_t first = token.number;
  Expect(token, TokenKind::KwTo);
  Expect(token, TokenKind::Number);
  const uint16_t last = token.number;
  CheckFrame(first);
  CheckFrame(last);
  Emit8(OpFor);
  Emit16(first);
  Emit16(last);
}

// statement := 'goto' L
void FrameCompiler::CompileGoto(Token& token) {
  Expect(token, TokenKind::Identifier);
  Emit8(OpGoto);
  const uint16_t position = Emit16(0);
  labels_.Reference(token.text, position, TokenLine(), TokenColumn());
}

// statement := 'prob' P 'of' Q 'goto' L
void FrameCompiler::CompileProb(Token& token) {
  Expect(token, TokenKind::Number);
  const uint16_t p = token.number;
  Expect(token, TokenKind::KwOf);
  Expect(token, TokenKind::Number);
  const uint16_t q = token.number;
  if (p == 0 || q == 0 || p > q || q >= 256) {
    throw AniProbInvalidValue();
  }
  Expect(token, TokenKind::KwGoto);
  Expect(token, TokenKind::Identifier);
  Emit8(OpProb);
  Emit16(p);
  Emit16(q);
  const uint16_t position = Emit16(0);
  labels_.Reference(token.text, position, TokenLine(), TokenColumn());
}

void FrameCompiler::Expect(Token& token, TokenKind kind) {
  NextToken(token);
  if (token.kind != kind) {
    throw AniSyntaxError();
  }
}

void FrameCompiler::CheckFrame(uint16_t frame) const {
  if (frame >= frameCount_) {
    throw AniFrameOutOfRange();
  }
}

void FrameCompiler::Emit8(uint8_t value) {
  code_.Append(&value, 1);
}

uint16_t FrameCompiler::Emit16(uint16_t value) {
  const uint8_t bytes[2] = {static_cast<uint8_t>(value & 0xFF), static_cast<uint8_t>(value >> 8)};
  return code_.Append(bytes, 2);
}

}  // namespace zet
