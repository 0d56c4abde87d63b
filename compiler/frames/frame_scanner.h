// Splits a frames program into tokens and keeps the line and column at which
// each token starts. Works on bytes: every byte of 0x80 or above is an error.
#pragma once

#include <cstdint>

#include "compiler/frames/frame_code.h"

namespace zet {

enum class TokenKind : int32_t {
  End = 0,         // the terminating NUL
  Semicolon = 1,   // ;
  Colon = 2,       // :
  Identifier = 3,  // a word that is no keyword: a label name
  Number = 4,      // 0 to kMaxFrameNumber, no leading zero
  KwRepeat = 5,
  KwFor = 6,
  KwTo = 7,
  KwGoto = 8,
  KwProb = 9,
  KwOf = 10,
};

constexpr int kTokenTextSize = static_cast<int>(kMaxLabelNameLength) + 1;

struct Token {
  TokenKind kind = TokenKind::End;
  char text[kTokenTextSize] = {};  // words only; at most kMaxLabelNameLength bytes
  uint16_t number = 0;             // Number only
};

struct KeywordEntry {
  const char* text;
  TokenKind kind;
};
extern const KeywordEntry KeywordTable[6];

class FrameScanner {
 public:
  explicit FrameScanner(const char* text);

  signed char NextChar();
  void UngetChar();
  signed char SkipSpace();
  // Raises AniSyntaxError or AniTooLargeNubmer, with the token position set.
  void NextToken(Token& token);

  int32_t TokenLine() const { return tokenLine_; }
  int32_t TokenColumn() const { return tokenColumn_; }

 protected:
  // Lets a late error point at an earlier token (an undefined label's reference).
  void SetTokenPosition(int32_t line, int32_t column) {
    tokenLine_ = line;
    tokenColumn_ = column;
  }

 private:
  void ScanNumber(Token& token, signed char first);
  void ScanWord(Token& token);

  const char* cursor_;
  bool pending_ = false;
  int32_t line_ = 1;
  int32_t column_ = 1;
  int32_t tokenLine_ = 1;
  int32_t tokenColumn_ = 1;
};

}  // namespace zet
