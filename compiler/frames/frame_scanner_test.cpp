#include "compiler/frames/frame_scanner.h"

#include <gtest/gtest.h>

#include <string>

#include "compiler/frames/ani_error.h"

namespace zet {
namespace {

// "line:column token" for every token up to End, or up to the first error,
// which shows as "line:column !message".
std::string Scan(const char* text) {
  FrameScanner scanner(text);
  Token token;
  std::string out;
  for (;;) {
    if (!out.empty())
      out += ' ';
    try {
      scanner.NextToken(token);
    } catch (const AniError& error) {
      return out + std::to_string(scanner.TokenLine()) + ":" +
             std::to_string(scanner.TokenColumn()) + " !" + error.Message();
    }
    out += std::to_string(scanner.TokenLine()) + ":" + std::to_string(scanner.TokenColumn()) + " ";
    switch (token.kind) {
      case TokenKind::End:
        return out + "end";
      case TokenKind::Semicolon:
        out += ";";
        break;
      case TokenKind::Colon:
        out += ":";
        break;
      case TokenKind::Number:
        out += "#" + std::to_string(token.number);
        break;
      case TokenKind::Identifier:
        out += "id(" + std::string(token.text) + ")";
        break;
      default:
        out += "kw(" + std::string(token.text) + ")";
        break;
    }
  }
}

TEST(FrameScannerTest, SplitsTextIntoPositionedTokens) {
  const struct {
    const char* text;
    const char* expected;
  } cases[] = {
      {"", "1:1 end"},
      {" \t\r\n ", "2:2 end"},
      {"0;\r\n  goto x", "1:1 #0 1:2 ; 2:3 kw(goto) 2:8 id(x) 2:9 end"},
      {"65535", "1:1 #65535 1:6 end"},
      {"65536", "1:1 !数値が大きすぎます。"},
      {"100000", "1:1 !数値が大きすぎます。"},
      {"1 00", "1:1 #1 1:3 !文法エラーです。"},
      {"01", "1:1 !文法エラーです。"},
      {"007", "1:1 !文法エラーです。"},
      {"0;", "1:1 #0 1:2 ; 1:3 end"},
      {"12ab 0x10", "1:1 #12 1:3 id(ab) 1:6 #0 1:7 id(x10) 1:10 end"},
      {"a_1:b", "1:1 id(a_1) 1:4 : 1:5 id(b) 1:6 end"},
      {"_a", "1:1 !文法エラーです。"},
      {"a\x81\x40", "1:1 id(a) 1:2 !文法エラーです。"},  // full-width space
      {"\xB1", "1:1 !文法エラーです。"},                 // half-width katakana
      {"0;\r\n\t-", "1:1 #0 1:2 ; 2:2 !文法エラーです。"},
      {"repeat for to goto prob of",
       "1:1 kw(repeat) 1:8 kw(for) 1:12 kw(to) 1:15 kw(goto) 1:20 kw(prob) 1:25 kw(of) 1:27 end"},
      {"Repeat GOTO repeat1", "1:1 id(Repeat) 1:8 id(GOTO) 1:13 id(repeat1) 1:20 end"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Scan(c.text), c.expected) << c.text;
  }
}

TEST(FrameScannerTest, DeliversTheCharacterAfterANumberOrWordAgain) {
  FrameScanner scanner("12ab;");
  Token token;
  scanner.NextToken(token);
  EXPECT_EQ(scanner.NextChar(), 'a');
  scanner.UngetChar();
  scanner.NextToken(token);
  EXPECT_STREQ(token.text, "ab");
  EXPECT_EQ(scanner.NextChar(), ';');
}

}  // namespace
}  // namespace zet
