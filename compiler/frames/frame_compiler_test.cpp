#include "compiler/frames/frame_compiler.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace zet {
namespace {

std::vector<uint8_t> Hex(const std::string& text) {
  std::vector<uint8_t> bytes;
  std::string digits;
  for (const char ch : text) {
    if (ch != ' ' && ch != '|')
      digits += ch;
  }
  for (size_t i = 0; i + 1 < digits.size(); i += 2) {
    bytes.push_back(static_cast<uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

std::string Repeat(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i)
    out += text;
  return out;
}

// "L000: L001: ... ": six bytes per label, so label i starts at column 6 * i + 1.
std::string Labels(int count) {
  std::string out;
  for (int i = 0; i < count; ++i) {
    char name[16];
    snprintf(name, sizeof name, "L%03d: ", i);
    out += name;
  }
  return out;
}

// 2 x 5 + 5458 x 3 = 16384 bytes of code; the text ends after line 5459.
const std::string kFullCode = "for 0 to 0; for 0 to 0;\r\n" + Repeat("0;\r\n", 5458);
const std::string kLong300 = std::string(300, 'a');
const std::string kLong255 = std::string(255, 'a');

TEST(FrameCompilerTest, CompilesPrograms) {
  const struct {
    std::string program;
    uint32_t frameCount;
    std::string code;
  } cases[] = {
      {"", 1, ""},
      {" \r\n\t ", 1, ""},
      {"0;", 1, "00 0000"},
      {"0; loop: 1; repeat 2 for 3; prob 1 of 4 goto loop; for 0 to 2; goto loop;", 3,
       "00 0000 | 00 0100 | 01 0200 0300 | 04 0100 0400 0300 | 02 0000 0200 | 03 0300"},
      {";; 0;;; to; of; :;", 1, "00 0000"},
      {"for 2 to 1; repeat 2 for 65535;", 3, "02 0200 0100 | 01 0200 ffff"},
      {"a: prob 1 of 255 goto a; prob 255 of 255 goto a;", 1,
       "04 0100 ff00 0000 | 04 ff00 ff00 0000"},
      {"goto z; 0; z: 1;", 2, "03 0600 | 00 0000 | 00 0100"},
      {"0; a: b: 1; goto b; goto a;", 2, "00 0000 | 00 0100 | 03 0300 | 03 0300"},
      {"A: 0; a: 1; goto a; goto A;", 2, "00 0000 | 00 0100 | 03 0300 | 03 0000"},
      {"goto end;\r\nend: ;;", 1, "03 0300"},  // a label after the last code
      {"65535;", 65536, "00 ffff"},
      {"0;", 0x10000, "00 0000"},  // a count that 16 bits would wrap to 0
      {Labels(256) + "0; goto L255; goto L000;", 1, "00 0000 | 03 0000 | 03 0000"},
      {"0; " + kLong300 + ": 1; goto " + kLong255 + "b;", 2, "00 0000 | 00 0100 | 03 0300"},
      {kFullCode, 1, Repeat("02 0000 0000", 2) + Repeat("00 0000", 5458)},
  };
  for (const auto& c : cases) {
    CodeBuffer code;
    try {
      FrameCompiler(c.program.c_str(), code, c.frameCount).Compile();
    } catch (const std::string& message) {
      ADD_FAILURE() << c.program.substr(0, 60) << ": " << message;
      continue;
    }
    EXPECT_EQ(std::vector<uint8_t>(code.Bytes(), code.Bytes() + code.Length()), Hex(c.code))
        << c.program.substr(0, 60);
  }
}

TEST(FrameCompilerTest, ReportsTheFirstErrorWithItsPosition) {
  const struct {
    std::string program;
    uint32_t frameCount;
    std::string message;
  } cases[] = {
      {"0", 1, "frames1 2文字目付近:文法エラーです。\r\n"},
      {"0;\r\n1 2;", 3, "frames2 3文字目付近:文法エラーです。\r\n"},
      {"0;;", 1, "frames1 4文字目付近:文法エラーです。\r\n"},
      {"a:", 1, "frames1 3文字目付近:文法エラーです。\r\n"},
      {"goto 5;", 6, "frames1 6文字目付近:文法エラーです。\r\n"},
      {"repeat 2 to 3;", 4, "frames1 10文字目付近:文法エラーです。\r\n"},
      {"prob 1 of 2 goto to;", 1, "frames1 18文字目付近:文法エラーです。\r\n"},
      {"0;\r\n  _a;", 1, "frames2 3文字目付近:文法エラーです。\r\n"},
      {"\x81\x40;", 1, "frames1 1文字目付近:文法エラーです。\r\n"},  // full-width space
      {"0; 012;", 1, "frames1 4文字目付近:文法エラーです。\r\n"},
      {"0; 65536;", 1, "frames1 4文字目付近:数値が大きすぎます。\r\n"},
      {"\t1;", 1, "frames1 2文字目付近:フレーム番号が最大値を超えています。\r\n"},
      {"0;", 0, "frames1 1文字目付近:フレーム番号が最大値を超えています。\r\n"},
      {"65535;", 65535, "frames1 1文字目付近:フレーム番号が最大値を超えています。\r\n"},
      {"repeat 1 for 0;", 1, "frames1 14文字目付近:フレーム番号が最大値を超えています。\r\n"},
      {"for 3 to 0;", 3, "frames1 10文字目付近:フレーム番号が最大値を超えています。\r\n"},
      {"for 0 to 3;", 3, "frames1 10文字目付近:フレーム番号が最大値を超えています。\r\n"},
      {"repeat 0 for 0;", 1,
       "frames1 14文字目付近:Repeat文で繰り返し数に 0 回が指定されました。\r\n"},
      {"prob 1 of 256 goto a;", 1, "frames1 11文字目付近:確率の指定が範囲を超えています。\r\n"},
      {"prob 0 of 5 goto a;", 1, "frames1 11文字目付近:確率の指定が範囲を超えています。\r\n"},
      {"prob 6 of 5 goto a;", 1, "frames1 11文字目付近:確率の指定が範囲を超えています。\r\n"},
      {"a 0;", 1, "frames1 3文字目付近:ラベルの後ろには、: が必要です。\r\n"},
      {"Goto a;", 1, "frames1 6文字目付近:ラベルの後ろには、: が必要です。\r\n"},
      {"a: 0; a: 1;", 2, "frames1 7文字目付近:ラベルはすでに定義されています。\r\n"},
      {"a: a: 0;", 1, "frames1 4文字目付近:ラベルはすでに定義されています。\r\n"},  // same offset
      {"a: 0; a 1;", 2, "frames1 7文字目付近:ラベルはすでに定義されています。\r\n"},
      {kLong300 + ": 0; " + kLong255 + "q: 0;", 1,
       "frames1 306文字目付近:ラベルはすでに定義されています。\r\n"},
      {Labels(257) + "0;", 1, "frames1 1537文字目付近:ラベルが多すぎます。\r\n"},
      {Labels(256) + "goto L256;", 1, "frames1 1542文字目付近:ラベルが多すぎます。\r\n"},
      {"0; goto x;", 1, "frames1 9文字目付近:ラベルが定義されていません。\r\n"},
      {"goto a; goto b; a: 0;\r\nprob 1 of 2 goto c; goto b;", 1,
       "frames1 14文字目付近:ラベルが定義されていません。\r\n"},
      {"0;\r\nprob 1 of 2 goto z; goto y;", 1,
       "frames2 18文字目付近:ラベルが定義されていません。\r\n"},
      {"goto x; 0", 1, "frames1 10文字目付近:文法エラーです。\r\n"},  // syntax first
      {kFullCode + "0;", 1, "frames5460 1文字目付近:コンパイルしたコードが大きすぎます。\r\n"},
  };
  for (const auto& c : cases) {
    CodeBuffer code;
    std::string message = "(compiled)";
    try {
      FrameCompiler(c.program.c_str(), code, c.frameCount).Compile();
    } catch (const std::string& thrown) {
      message = thrown;
    }
    EXPECT_EQ(message, c.message) << c.program.substr(0, 60);
  }
}

TEST(FrameCompilerTest, TakesAMissingTextAsEmpty) {
  CodeBuffer code;
  FrameCompiler(nullptr, code, 1).Compile();
  EXPECT_EQ(code.Length(), 0u);
}

}  // namespace
}  // namespace zet
