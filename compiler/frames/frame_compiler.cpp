#include "compiler/frames/frame_compiler.h"

#include <string>

#include "compiler/common/format_string.h"
#include "compiler/frames/ani_error.h"
#include "platform/little_endian.h"

namespace zet {

FrameCompiler::FrameCompiler(const char* text, CodeBuffer& code, uint32_t frameCount)
    : FrameScanner(text), code_(code), frameCount_(frameCount) {}

template <FrameOpcode kOp, typename... Operands>
uint16_t FrameCompiler::Emit(Operands... operands) {
  constexpr FrameOpcodeInfo kInfo = kFrameOpcodes[kOp];
  static_assert(sizeof...(Operands) == kInfo.operandCount, "as many operands as the table gives");
  const uint16_t values[] = {static_cast<uint16_t>(operands)...};
  // The opcode byte, then each operand with an append of its own: a full
  // buffer keeps what fitted, and the compilation is void then anyway.
  const uint8_t opcode = kOp;
  const uint16_t at = code_.Append(&opcode, 1);
  for (uint32_t i = 0; i < kInfo.operandCount; ++i) {
    uint8_t bytes[kFrameOperandSize];
    PutLe16(bytes, values[i]);
    code_.Append(bytes, kFrameOperandSize);
  }
  return at;
}

template <FrameOpcode kOp>
void FrameCompiler::ReferenceJump(const Token& token, uint16_t at) {
  constexpr int kIndex = FrameJumpOperand(kOp);
  static_assert(kIndex >= 0, "labels fill jumps");
  labels_.Reference(token.text, static_cast<uint16_t>(at + FrameOperandOffset(kIndex)), TokenLine(),
                    TokenColumn());
}

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
      if (places_ != nullptr) {
        places_->labels.push_back(
            {token.text, code_.Length(), {TokenLine(), TokenColumn()}, false});
      }
      NextToken(token);
      if (token.kind != TokenKind::Colon) {
        throw AniLabelNeedsSeparator();
      }
      NextToken(token);
    }
    const uint32_t offset = code_.Length();
    const FramePosition at{TokenLine(), TokenColumn()};
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
    if (places_ != nullptr && code_.Length() != offset) {
      places_->statements.push_back({offset, at});
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
  if (places_ != nullptr) {
    for (LabelPlace& label : places_->labels) {
      label.referenced = !labels_.Find(label.name.c_str())->references.empty();
    }
  }
}

// statement := N
void FrameCompiler::CompileFrame(const Token& token) {
  CheckFrame(token.number);
  Emit<OpFrame>(token.number);
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
  Emit<OpRepeat>(frame, count);
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
  Emit<OpFor>(first, last);
}

// statement := 'goto' L
void FrameCompiler::CompileGoto(Token& token) {
  Expect(token, TokenKind::Identifier);
  const uint16_t at = Emit<OpGoto>(0);
  ReferenceJump<OpGoto>(token, at);
}

// statement := 'prob' P 'of' Q 'goto' L
void FrameCompiler::CompileProb(Token& token) {
  Expect(token, TokenKind::Number);
  const uint16_t p = token.number;
  Expect(token, TokenKind::KwOf);
  Expect(token, TokenKind::Number);
  const uint16_t q = token.number;
  if (p == 0 || q == 0 || p > q || q > kMaxFrameChance) {
    throw AniProbInvalidValue();
  }
  Expect(token, TokenKind::KwGoto);
  Expect(token, TokenKind::Identifier);
  const uint16_t at = Emit<OpProb>(p, q, 0);
  ReferenceJump<OpProb>(token, at);
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

}  // namespace zet
