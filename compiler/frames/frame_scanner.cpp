#include "compiler/frames/frame_scanner.h"

#include <cstring>

#include "compiler/frames/ani_error.h"

namespace zet {

const KeywordEntry KeywordTable[6] = {
    {"repeat", TokenKind::KwRepeat}, {"for", TokenKind::KwFor},   {"to", TokenKind::KwTo},
    {"goto", TokenKind::KwGoto},     {"prob", TokenKind::KwProb}, {"of", TokenKind::KwOf},
};

namespace {

// ASCII only: bytes of 0x80 and above are negative and belong to no class.
bool IsDigit(signed char ch) {
  return ch >= '0' && ch <= '9';
}
bool IsLetter(signed char ch) {
  return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
}
bool IsWordChar(signed char ch) {
  return IsLetter(ch) || IsDigit(ch) || ch == '_';
}

constexpr size_t kLongestKeyword = 6;  // "repeat"

}  // namespace

FrameScanner::FrameScanner(const char* text) : cursor_(text != nullptr ? text : "") {}

signed char FrameScanner::NextChar() {
  if (pending_) {
    const char ch = *cursor_;
    if (ch == '\n') {
      ++line_;
      column_ = 0;
    }
    // The terminating NUL is never stepped past, so End repeats.
    if (ch != '\0') {
      ++column_;
      ++cursor_;
    }
  }
  pending_ = true;
  return static_cast<signed char>(*cursor_);
}

void FrameScanner::UngetChar() {
  pending_ = false;
}

signed char FrameScanner::SkipSpace() {
  signed char ch = NextChar();
  while (ch >= 1 && ch <= ' ') {
    ch = NextChar();
  }
  return ch;
}

void FrameScanner::NextToken(Token& token) {
  const signed char ch = SkipSpace();
  tokenLine_ = line_;
  tokenColumn_ = column_;
  if (ch == '\0') {
    token.kind = TokenKind::End;
  } else if (ch == ';') {
    token.kind = TokenKind::Semicolon;
  } else if (ch == ':') {
    token.kind = TokenKind::Colon;
  } else if (IsDigit(ch)) {
    ScanNumber(token, ch);
  } else if (IsLetter(ch)) {
    ScanWord(token);
  } else {
    throw AniSyntaxError();
  }
}

void FrameScanner::ScanNumber(Token& token, signed char first) {
  token.kind = TokenKind::Number;
  uint32_t value = 0;
  if (first == '0') {
    // '0' alone is the only number that begins with '0'.
    if (IsDigit(NextChar())) {
      throw AniSyntaxError();
    }
  } else {
    value = static_cast<uint32_t>(first - '0');
    for (;;) {
      // Checked before every further digit, so the value stays far from overflow.
      if (value > kMaxFrameNumber) {
        throw AniTooLargeNubmer();
      }
      const signed char ch = NextChar();
      if (!IsDigit(ch)) {
        break;
      }
      value = value * 10 + static_cast<uint32_t>(ch - '0');
    }
  }
  UngetChar();
  token.number = static_cast<uint16_t>(value);
}

void FrameScanner::ScanWord(Token& token) {
  token.kind = TokenKind::Identifier;
  const char* start = cursor_;
  while (IsWordChar(NextChar())) {
  }
  UngetChar();
  // A longer word is consumed whole; only its first kMaxLabelNameLength bytes name it.
  size_t length = static_cast<size_t>(cursor_ - start);
  if (length > kMaxLabelNameLength) {
    length = kMaxLabelNameLength;
  }
  memcpy(token.text, start, length);
  token.text[length] = '\0';
  if (length > kLongestKeyword) {
    return;  // most label names: no keyword to compare
  }
  for (const KeywordEntry& keyword : KeywordTable) {
    if (strcmp(token.text, keyword.text) == 0) {
      token.kind = keyword.kind;
      break;
    }
  }
}

}  // namespace zet
